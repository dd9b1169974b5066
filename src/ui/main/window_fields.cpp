#include "ui/main/window_fields.h"

#include "calc/calc_error.h"
#include "ui_form1.h"

namespace tolvi {

namespace {
QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A result box takes far longer texts than any result; should one still be longer, it is an
// overflow of the field, never a number cut short.
void SetWholeText(QLineEdit& box, const std::string& text) {
    const QString whole = Q(text);
    if (whole.size() > box.maxLength()) {
        throw CalcError(CalcErrorKind::Overflow);
    }
    box.setText(whole);
}
}  // namespace

std::string WindowFields::Amount() const {
    return controls_.Text_amount->text().toStdString();
}
std::string WindowFields::Rate() const {
    return controls_.Text_vat->text().toStdString();
}
bool WindowFields::InclusiveSelected() const {
    return controls_.Option_vat_inc->isChecked();
}
bool WindowFields::ExclusiveSelected() const {
    return controls_.Option_vat_exc->isChecked();
}

std::string WindowFields::VatCaption() const {
    return controls_.Text_vat_result->text().toStdString();
}
void WindowFields::SetVatCaption(const std::string& text) {
    controls_.Text_vat_result->SetCaption(Q(text));
}
std::string WindowFields::RoundedVat() const {
    return controls_.Text_vat_round->text().toStdString();
}
void WindowFields::SetRoundedVat(const std::string& text) {
    SetWholeText(*controls_.Text_vat_round, text);
}
std::string WindowFields::Total() const {
    return controls_.Text_total->text().toStdString();
}
void WindowFields::SetTotal(const std::string& text) {
    SetWholeText(*controls_.Text_total, text);
}
std::string WindowFields::Price() const {
    return controls_.Text_Price->text().toStdString();
}
void WindowFields::SetPrice(const std::string& text) {
    SetWholeText(*controls_.Text_Price, text);
}
std::string WindowFields::UnformattedPrice() const {
    return controls_.Label_price->text().toStdString();
}
void WindowFields::SetUnformattedPrice(const std::string& text) {
    controls_.Label_price->setText(Q(text));
}

}  // namespace tolvi
