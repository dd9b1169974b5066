#pragma once

#include "calc/calculator_fields.h"

namespace Ui {
class Form1;
}

namespace tolvi {

// The calculator's fields as the main window's controls hold them. Setting the VAT caption
// goes through the label's caption change, which runs its Change handler.
class WindowFields final : public CalculatorFields {
  public:
    explicit WindowFields(Ui::Form1& controls) : controls_(controls) {}

    std::string Amount() const override;
    std::string Rate() const override;
    bool InclusiveSelected() const override;
    bool ExclusiveSelected() const override;

    std::string VatCaption() const override;
    void SetVatCaption(const std::string& text) override;
    std::string RoundedVat() const override;
    void SetRoundedVat(const std::string& text) override;
    std::string Total() const override;
    void SetTotal(const std::string& text) override;
    std::string Price() const override;
    void SetPrice(const std::string& text) override;
    std::string UnformattedPrice() const override;
    void SetUnformattedPrice(const std::string& text) override;

  private:
    Ui::Form1& controls_;
};

}  // namespace tolvi
