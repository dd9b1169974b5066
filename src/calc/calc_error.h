#pragma once

#include <stdexcept>
#include <string_view>

namespace tolvi {

enum class CalcErrorKind {
    Overflow,
    DivisionByZero,
    InvalidOperation,
    TypeMismatch,
};

// The name the user sees: "Overflow", "Division by zero", "Invalid operation", "Type mismatch".
std::string_view CalcErrorName(CalcErrorKind kind);

// Raised by a conversion or arithmetic step; it ends the recalculation that ran the step.
class CalcError : public std::runtime_error {
  public:
    explicit CalcError(CalcErrorKind kind);
    CalcErrorKind kind() const noexcept { return kind_; }

  private:
    CalcErrorKind kind_;
};

}  // namespace tolvi
