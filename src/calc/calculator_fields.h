#pragma once

#include <string>

namespace tolvi {

// The calculator's fields as the recalculation sees them: the texts of the amount and rate
// boxes, the selected mode, and the five result fields. A front end implements this over its
// own controls; RecordFields implements it over plain strings.
//
// SetVatCaption must run Text_vat_result_Change before it returns, as the caption's change
// event does in the window.
class CalculatorFields {
  public:
    virtual ~CalculatorFields() = default;

    virtual std::string Amount() const = 0;
    virtual std::string Rate() const = 0;
    virtual bool InclusiveSelected() const = 0;
    virtual bool ExclusiveSelected() const = 0;

    virtual std::string VatCaption() const = 0;
    virtual void SetVatCaption(const std::string& text) = 0;
    virtual std::string RoundedVat() const = 0;
    virtual void SetRoundedVat(const std::string& text) = 0;
    virtual std::string Total() const = 0;
    virtual void SetTotal(const std::string& text) = 0;
    virtual std::string Price() const = 0;
    virtual void SetPrice(const std::string& text) = 0;
    virtual std::string UnformattedPrice() const = 0;
    virtual void SetUnformattedPrice(const std::string& text) = 0;
};

}  // namespace tolvi
