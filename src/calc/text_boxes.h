#pragma once

#include <string_view>

#include "calc/field_reading.h"

namespace tolvi {

// A box of the main window that takes text, named as every window names it: the field it takes
// a text from outside as, and whether typed characters pass that field's typing rule. The
// rounded VAT and the price hold amounts and take texts as the amount does; what is typed into
// them stays as typed. The boxes with the typing rule are the calculation's two inputs: a text
// entering them is read by the recalculation it starts.
struct TextBoxRule {
    std::string_view name;
    Field field;
    bool typingRule;
};

inline constexpr TextBoxRule kTextBoxRules[] = {
    {"Text_amount", Field::Amount, true},
    {"Text_vat", Field::Rate, true},
    {"Text_vat_round", Field::Amount, false},
    {"Text_Price", Field::Amount, false},
};

// The rule of the box named `name`; none for a box that takes no text (the read-only total).
constexpr const TextBoxRule* TextBoxRuleOf(std::string_view name) {
    for (const TextBoxRule& rule : kTextBoxRules) {
        if (rule.name == name) {
            return &rule;
        }
    }
    return nullptr;
}

}  // namespace tolvi
