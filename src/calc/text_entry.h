#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/field_reading.h"
#include "calc/number_format.h"

namespace tolvi {

// How a person's text reaches the amount and the rate: typed key by key, or brought whole from
// outside (a paste, a drop, a link). Every front end applies these rules and no other, with the
// decimal and group separators of the user's regional settings (`regional`; only those two of
// its fields are consulted). The calculator's own form never changes: "." is its decimal point
// and "," groups the digits of an amount.

// What a typed character (a UTF-16 code) becomes in a field: the code itself, another code, or
// 0, which discards the keystroke. The key rule decides ("0123456789." and Backspace pass), and
// before it:
// - in the rate a comma is always the decimal point: a rate has no thousands;
// - in the amount a comma is the decimal point where the regional decimal separator is a comma,
//   and is refused elsewhere (a thousands comma adds nothing to a typed amount);
// - digits of other scripts (full-width, Arabic-Indic, Devanagari, ...) are their ASCII digits;
//   the full-width full stop and the Arabic decimal separator are the point.
// A front end hands the keypad's decimal key to this rule as ".", whatever the layout sends.
std::uint16_t ApplyTypingRule(std::uint16_t code, Field field, const NumberFormat& regional);

// What a text from outside brings to a box: refused whole (`refusal` says why, in words that
// follow "Not pasted: "), or `text`, what enters the box in place of the selection, and when
// the text could mean two numbers, `readAs`, the notice's line that says which one it means.
struct TextFromOutside {
    std::string refusal;  // empty when the text is taken
    std::string text;     // UTF-8
    std::string readAs;   // "Amount read as 2,675", "VAT % read as 17,125"; mostly empty
    bool Refused() const { return !refusal.empty(); }
};

// Takes a UTF-8 text from outside into a box that holds `boxLength` UTF-16 code units, of which
// `replaced` give way to it. Refused whole:
// - a text that holds a control character, an invisible or direction-changing format character
//   (bidi controls and marks, zero-width spaces and joiners, the soft hyphen, the byte order
//   mark), a line or paragraph separator, or bytes that are not UTF-8; one line break at the
//   end, which spreadsheets add to a copied cell, is dropped first and refuses nothing;
// - a text that would make the box longer than kMaxFieldLength.
// Where the regional form differs from the calculator's (a decimal comma, or a group separator
// other than the comma), a text may read whole as one number in the calculator's form (as the
// field reads it, ReadField), in the regional form, or in both:
// - in the calculator's form only ("1,234.56", "1.5E3"): it enters as it is;
// - in the regional form only ("1.234,56" or "1 234,56" under German or French settings, with
//   a space, no-break or narrow no-break space; "1'234.56" under Swiss): it enters in the
//   calculator's form ("1234.56");
// - in both as the same number ("1234"): it enters as it is;
// - in both as two numbers ("2.675" or "1,234" under German settings): a text that holds the
//   regional decimal separator takes the regional reading and enters in the calculator's form
//   ("1,234" as "1.234"); one with points only takes the calculator's and enters as it is
//   ("2.675", as typing it gives). `readAs` then names the number taken in the regional form,
//   which a person with those settings cannot misread: "Amount read as 1,234",
//   "Amount read as 2,675".
// Any other text, and every text under settings that write numbers as the calculator does,
// enters as it is. The result boxes hold amounts of money and take texts as the amount does.
TextFromOutside TakeTextFromOutside(std::string_view text, Field field,
                                    const NumberFormat& regional, std::size_t boxLength,
                                    std::size_t replaced);

// Takes a UTF-8 text an input method commits, of more than one character, as a text from
// outside: its digits of other scripts, full-width full stop and Arabic decimal separator first
// become ASCII digits and the point, as typed ones do, and its full-width comma a comma; then
// TakeTextFromOutside refuses it or reads it in the regional form ("1.234,56" enters as
// "1234.56", "2.675" with its `readAs`). What enters keeps only the characters a key could type
// ("1a2" enters as "12"), and loses its `readAs` where that changes it. A commit of one
// character is a keystroke: ApplyTypingRule.
TextFromOutside TakeCommittedText(std::string_view text, Field field, const NumberFormat& regional,
                                  std::size_t boxLength, std::size_t replaced);

// What the user is told when a text from outside is refused: "Not pasted: " and the refusal.
std::string PasteRefusedNotice(std::string_view refusal);

// What the user is told when it is refused for its length: "Not pasted: longer than 1000
// characters".
std::string FieldTooLongNotice();

}  // namespace tolvi
