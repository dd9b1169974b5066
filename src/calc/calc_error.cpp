#include "calc/calc_error.h"

#include <string>

namespace tolvi {

std::string_view CalcErrorName(CalcErrorKind kind) {
    switch (kind) {
        case CalcErrorKind::Overflow:
            return "Overflow";
        case CalcErrorKind::DivisionByZero:
            return "Division by zero";
        case CalcErrorKind::InvalidOperation:
            return "Invalid operation";
        case CalcErrorKind::TypeMismatch:
            return "Type mismatch";
    }
    return "Invalid operation";
}

CalcError::CalcError(CalcErrorKind kind)
    : std::runtime_error(std::string(CalcErrorName(kind))), kind_(kind) {}

}  // namespace tolvi
