#pragma once

#include <string>
#include <utility>

#include "calc/calculator_fields.h"
#include "calc/number_format.h"

namespace tolvi {

enum class VatMode { Inclusive, Exclusive, Neither };

// The calculator's field texts, with the window's initial values.
struct FieldTexts {
    std::string amount;
    std::string rate = "0";
    VatMode mode = VatMode::Inclusive;
    std::string vatCaption = "0.00";
    std::string roundedVat;
    std::string total;
    std::string price;
    std::string unformattedPrice = "0.00";

    bool operator==(const FieldTexts&) const = default;
};

// The fields as a plain record. Setting the VAT caption refreshes the rounded VAT at once,
// every time, as the window's caption does.
class RecordFields final : public CalculatorFields {
  public:
    explicit RecordFields(NumberFormat format, FieldTexts texts = {})
        : texts(std::move(texts)), format_(std::move(format)) {}

    FieldTexts texts;

    std::string Amount() const override { return texts.amount; }
    std::string Rate() const override { return texts.rate; }
    bool InclusiveSelected() const override { return texts.mode == VatMode::Inclusive; }
    bool ExclusiveSelected() const override { return texts.mode == VatMode::Exclusive; }

    std::string VatCaption() const override { return texts.vatCaption; }
    void SetVatCaption(const std::string& text) override;
    std::string RoundedVat() const override { return texts.roundedVat; }
    void SetRoundedVat(const std::string& text) override { texts.roundedVat = text; }
    std::string Total() const override { return texts.total; }
    void SetTotal(const std::string& text) override { texts.total = text; }
    std::string Price() const override { return texts.price; }
    void SetPrice(const std::string& text) override { texts.price = text; }
    std::string UnformattedPrice() const override { return texts.unformattedPrice; }
    void SetUnformattedPrice(const std::string& text) override { texts.unformattedPrice = text; }

  private:
    NumberFormat format_;
};

}  // namespace tolvi
