#include "calc/record_fields.h"

#include "calc/recalculation.h"

namespace tolvi {

void RecordFields::SetVatCaption(const std::string& text) {
    texts.vatCaption = text;
    Text_vat_result_Change(*this, format_);
}

}  // namespace tolvi
