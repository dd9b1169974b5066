// The calculation core as the online calculator page sees it: the typing rule, the rule for
// text from outside (a paste, a drop, a link), both under the browser's regional separators,
// which box takes text as which field, the recalculation with the lines of its notice, the
// field length limit, and the totals of a list of lines. The module is a
// plain WebAssembly module with C functions: the page writes its texts into the module's memory
// as UTF-8 and reads the answers from there, as (start, length) pairs.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "calc/calc_error.h"
#include "calc/field_length.h"
#include "calc/field_reading.h"
#include "calc/list_totals.h"
#include "calc/number_format.h"
#include "calc/recalculation.h"
#include "calc/text_boxes.h"
#include "calc/text_entry.h"

namespace tolvi::web {

namespace {

std::vector<char> texts;  // what the page writes in
NumberFormat regional;    // the browser's separators; the calculator's own until told

// The texts the page wrote, one after the other, with these lengths in bytes.
class WrittenTexts {
  public:
    std::string_view Next(std::int32_t length) {
        const std::string_view text = rest_.substr(0, static_cast<std::size_t>(length));
        rest_.remove_prefix(text.size());
        return text;
    }

  private:
    std::string_view rest_{texts.data(), texts.size()};
};

Field FieldOf(std::int32_t field) {
    return field == 1 ? Field::Rate : Field::Amount;
}

// The texts of the last answer, kept until the next, and where each stands.
std::array<std::string, 8> answer;
std::array<std::int32_t, 2 * answer.size()> pairs;

const std::int32_t* Answer(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        pairs[2 * i] =
            static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(answer[i].data()));
        pairs[2 * i + 1] = static_cast<std::int32_t>(answer[i].size());
    }
    return pairs.data();
}

const std::int32_t* AnswerResults(ResultTexts results) {
    answer[0] = std::move(results.unroundedVat);
    answer[1] = std::move(results.roundedVat);
    answer[2] = std::move(results.total);
    answer[3] = std::move(results.price);
    answer[4] = std::move(results.unformattedPrice);
    return Answer(5);
}

// A text taken from outside: why it is refused or "", what enters the box, the notice of a
// refused paste or "", and the line that names the number a text that reads as two was taken
// for, or "".
const std::int32_t* AnswerTaken(TextFromOutside taken) {
    answer[2] = taken.Refused() ? PasteRefusedNotice(taken.refusal) : std::string();
    answer[0] = std::move(taken.refusal);
    answer[1] = std::move(taken.text);
    answer[3] = std::move(taken.readAs);
    return Answer(4);
}

// A list as the page writes it: for each line its mode word, amount and rate, each followed by
// kField, and kRecord after the line. No box holds these control characters.
constexpr char kField = '\x1f';
constexpr char kRecord = '\x1e';

// The lines recalculated so far, by their record: the page's list changes a line at a time, and
// each line is recalculated once, not at every change of the list.
std::unordered_map<std::string, ListLine> calculatedLines;
constexpr std::size_t kMostCalculatedLines = 10000;

std::vector<ListLine> WrittenLines(std::int32_t length) {
    std::string_view list = WrittenTexts().Next(length);
    std::vector<ListLine> lines;
    if (calculatedLines.size() > kMostCalculatedLines) {
        calculatedLines.clear();
    }
    while (!list.empty()) {
        std::string_view line = list.substr(0, list.find(kRecord));
        list.remove_prefix(std::min(list.size(), line.size() + 1));
        const auto [calculated, isNew] = calculatedLines.try_emplace(std::string(line));
        if (!isNew) {
            lines.push_back(calculated->second);
            continue;
        }
        std::string_view texts[3];
        for (std::string_view& text : texts) {
            text = line.substr(0, line.find(kField));
            line.remove_prefix(std::min(line.size(), text.size() + 1));
        }
        const VatMode mode = texts[0] == "exclusive"   ? VatMode::Exclusive
                             : texts[0] == "inclusive" ? VatMode::Inclusive
                                                       : VatMode::Neither;
        calculated->second = CalculateLine(mode, texts[1], texts[2]);
        lines.push_back(calculated->second);
    }
    return lines;
}

void AppendRecord(std::string& answer, std::initializer_list<std::string_view> fields) {
    for (const std::string_view field : fields) {
        answer += field;
        answer += kField;
    }
    answer.back() = kRecord;
}

void AppendTotals(std::string& answer, const TotalsRow& row, std::string_view mode) {
    const TotalsFigures& d = row.display;
    const TotalsFigures& p = row.plain;
    AppendRecord(answer, {mode,
                          row.rate,
                          std::to_string(row.lines),
                          d.amount,
                          d.vatPerLine,
                          d.vatOnTotal,
                          d.vatDifference,
                          d.pricePerLine,
                          d.priceOnTotal,
                          d.priceDifference,
                          d.totalPerLine,
                          d.totalOnTotal,
                          d.totalDifference,
                          row.error ? CalcErrorName(*row.error) : std::string_view(),
                          p.amount,
                          p.vatPerLine,
                          p.vatOnTotal,
                          p.vatDifference,
                          p.pricePerLine,
                          p.priceOnTotal,
                          p.priceDifference,
                          p.totalPerLine,
                          p.totalOnTotal,
                          p.totalDifference});
}

}  // namespace

extern "C" {

// Room for at least `size` bytes of texts; valid until the next call of the module.
EMSCRIPTEN_KEEPALIVE char* tolvi_texts(std::int32_t size) {
    texts.resize(static_cast<std::size_t>(size));
    return texts.data();
}

// The browser's decimal and group separators, as texts of these lengths in the room
// tolvi_texts gave: the typing rule and the rule for text from outside follow them.
EMSCRIPTEN_KEEPALIVE void tolvi_set_regional_separators(std::int32_t decimal, std::int32_t group) {
    WrittenTexts written;
    regional.decimalSeparator = written.Next(decimal);
    regional.groupSeparator = written.Next(group);
}

// One recalculation. The texts stand one after the other in the room tolvi_texts gave, with
// these lengths in bytes: the amount, the rate and the five result texts as they stand. mode:
// 0 inclusive, 1 exclusive, 2 neither. Answers seven texts: the five new results, the name of
// the error that ended the recalculation early or "", and the notice's lines, each ending in a
// line break.
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_recalculate(std::int32_t mode, std::int32_t amount,
                                                           std::int32_t rate, std::int32_t vat,
                                                           std::int32_t roundedVat,
                                                           std::int32_t total, std::int32_t price,
                                                           std::int32_t unformattedPrice) {
    WrittenTexts written;
    const std::string_view amountText = written.Next(amount);
    const std::string_view rateText = written.Next(rate);
    ResultTexts current;
    current.unroundedVat = written.Next(vat);
    current.roundedVat = written.Next(roundedVat);
    current.total = written.Next(total);
    current.price = written.Next(price);
    current.unformattedPrice = written.Next(unformattedPrice);
    Recalculation done =
        Recalculate(amountText, rateText, static_cast<VatMode>(mode), std::move(current));
    answer[5] = done.error ? std::string(CalcErrorName(*done.error)) : std::string();
    answer[6].clear();
    for (const std::string& line : done.notice) {
        answer[6] += line;
        answer[6] += '\n';
    }
    AnswerResults(std::move(done.results));
    return Answer(7);
}

// The five result texts the window starts with.
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_initial_results() {
    return AnswerResults(ResultTexts{});
}

// How the box with this name, of this length in bytes in the room tolvi_texts gave, takes text:
// its field (0 the amount, 1 the rate), plus 2 when typed characters pass the typing rule; -1
// for a box that takes no text.
EMSCRIPTEN_KEEPALIVE std::int32_t tolvi_text_box(std::int32_t length) {
    const TextBoxRule* rule = TextBoxRuleOf(WrittenTexts().Next(length));
    if (rule == nullptr) {
        return -1;
    }
    return (rule->field == Field::Rate ? 1 : 0) + (rule->typingRule ? 2 : 0);
}

// What a typed character (a UTF-16 code) becomes in a field (0 the amount, 1 the rate): the
// code itself, another, or 0, which discards the keystroke.
EMSCRIPTEN_KEEPALIVE std::int32_t tolvi_typing_rule(std::int32_t code, std::int32_t field) {
    return ApplyTypingRule(static_cast<std::uint16_t>(code), FieldOf(field), regional);
}

// Takes a text from outside, of this length in bytes in the room tolvi_texts gave, into a
// field (0 the amount, 1 the rate) whose box holds `boxLength` UTF-16 code units, `replaced` of
// them giving way. Answers four texts: why it is refused or "", what enters the box, the
// notice of a refused paste or "", and the notice's line that names the number a text that
// reads as two was taken for, or "".
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_take_text(std::int32_t field, std::int32_t length,
                                                         std::int32_t boxLength,
                                                         std::int32_t replaced) {
    return AnswerTaken(TakeTextFromOutside(WrittenTexts().Next(length), FieldOf(field), regional,
                                           static_cast<std::size_t>(boxLength),
                                           static_cast<std::size_t>(replaced)));
}

// Takes an input method's commit of more than one character as tolvi_take_text takes a text
// from outside, with the same answer.
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_take_committed_text(std::int32_t field,
                                                                   std::int32_t length,
                                                                   std::int32_t boxLength,
                                                                   std::int32_t replaced) {
    return AnswerTaken(TakeCommittedText(WrittenTexts().Next(length), FieldOf(field), regional,
                                         static_cast<std::size_t>(boxLength),
                                         static_cast<std::size_t>(replaced)));
}

EMSCRIPTEN_KEEPALIVE std::int32_t tolvi_max_field_length() {
    return kMaxFieldLength;
}

// One text: what the user is told when a paste is refused for its length.
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_field_too_long_notice() {
    answer[0] = FieldTooLongNotice();
    return Answer(1);
}

// The totals of a list of lines, written by the page as WrittenLines reads them, this many
// bytes in the room tolvi_texts gave. Answers one text of records, each ending in kRecord, of
// fields separated by kField: the counts of lines and of groups; for each line its rounded VAT,
// price and total in display form, the name of the error that ended its recalculation or "",
// and the three figures without grouping; for each group, then for all lines, the mode
// ("all" for all lines), the rate, the number of lines, the ten figures in display form, the
// name of the error that ended the row or "", and the ten figures without grouping.
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_list_totals(std::int32_t length) {
    const std::vector<ListLine> lines = WrittenLines(length);
    const ListTotals totals = TotalsOf(lines);
    std::string& text = answer[0];
    text.clear();
    AppendRecord(text, {std::to_string(lines.size()), std::to_string(totals.groups.size())});
    for (const ListLine& line : lines) {
        const ResultTexts& r = line.done.results;
        if (line.done.error || line.mode == VatMode::Neither) {
            AppendRecord(text, {"", "", "", line.done.error ? CalcErrorName(*line.done.error) : "",
                                "", "", ""});
        } else {
            AppendRecord(text, {r.roundedVat, r.price, r.total, "", Ungrouped(r.roundedVat),
                                Ungrouped(r.price), Ungrouped(r.total)});
        }
    }
    for (const TotalsRow& group : totals.groups) {
        AppendTotals(text, group, ModeWord(group.mode));
    }
    AppendTotals(text, totals.all, "all");
    return Answer(1);
}

// The lines and their totals as one text for another program: form 0 tab-separated with the
// figures in display form, 1 CSV with them ungrouped. The lines as tolvi_list_totals takes them.
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_list_table(std::int32_t length, std::int32_t form) {
    const std::vector<ListLine> lines = WrittenLines(length);
    answer[0] = ListTable(lines, TotalsOf(lines), form == 1 ? TableForm::Csv : TableForm::Tabs);
    return Answer(1);
}

}  // extern "C"

}  // namespace tolvi::web
