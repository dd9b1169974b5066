// Until the core has its rules for text entering a field and for the notice: the key rule, the
// length limit and the error's name.
#include "calc/calc_error.h"
#include "calc/field_length.h"
#include "calc/key_rule.h"
#include "calc/notice.h"
#include "calc/text_entry.h"

namespace tolvi {

std::uint16_t ApplyTypingRule(std::uint16_t code, Field, const NumberFormat&) {
    return ApplyKeyRule(code);
}

TextFromOutside TakeTextFromOutside(std::string_view text, Field, const NumberFormat&,
                                    std::size_t boxLength, std::size_t replaced) {
    if (boxLength - replaced + text.size() > static_cast<std::size_t>(kMaxFieldLength)) {
        return {"too long", {}};
    }
    return {{}, std::string(text)};
}

std::string PasteRefusedNotice(std::string_view refusal) {
    return "Not pasted: " + std::string(refusal);
}

std::vector<std::string> NoticeLines(std::string_view, std::string_view,
                                     const Recalculation& done) {
    if (!done.error) {
        return {};
    }
    return {std::string(CalcErrorName(*done.error))};
}

}  // namespace tolvi
