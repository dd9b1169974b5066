// The calculation core as the online calculator page sees it: the key rule, the recalculation
// with how it read the amount and the rate, the error names and the field length limit. The
// module is a plain WebAssembly module with C functions: the page writes its texts into the
// module's memory as UTF-8 and reads the answers from there, as (start, length) pairs.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/calc_error.h"
#include "calc/field_length.h"
#include "calc/field_reading.h"
#include "calc/key_rule.h"
#include "calc/number_format.h"
#include "calc/recalculation.h"

namespace tolvi::web {

namespace {

std::vector<char> texts;  // what the page writes in

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

std::string ReadInPartAs(std::string_view text, Field field) {
    FieldReading reading = ReadField(text, field);
    return reading.extent == ReadingExtent::Part ? std::move(reading.value) : std::string();
}

}  // namespace

extern "C" {

// Room for at least `size` bytes of texts; valid until the next call of the module.
EMSCRIPTEN_KEEPALIVE char* tolvi_texts(std::int32_t size) {
    texts.resize(static_cast<std::size_t>(size));
    return texts.data();
}

// One recalculation with the default number format, which the command-line calculator uses
// too. The texts stand one after the other in the room tolvi_texts gave, with these lengths in
// bytes: the amount, the rate and the five result texts as they stand. mode: 0 inclusive,
// 1 exclusive, 2 neither. Answers eight texts: the five new results, the name of the error that
// ended the recalculation early or "", and the numbers the calculation took from the amount and
// from the rate where it read only a part of the text ("1.2" of "1.2.3") or "".
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_recalculate(std::int32_t mode, std::int32_t amount,
                                                           std::int32_t rate, std::int32_t vat,
                                                           std::int32_t roundedVat,
                                                           std::int32_t total, std::int32_t price,
                                                           std::int32_t unformattedPrice) {
    std::string_view rest(texts.data(), texts.size());
    const auto next = [&rest](std::int32_t length) {
        const std::string_view text = rest.substr(0, static_cast<std::size_t>(length));
        rest.remove_prefix(text.size());
        return text;
    };
    const std::string_view amountText = next(amount);
    const std::string_view rateText = next(rate);
    ResultTexts current;
    current.unroundedVat = next(vat);
    current.roundedVat = next(roundedVat);
    current.total = next(total);
    current.price = next(price);
    current.unformattedPrice = next(unformattedPrice);
    Recalculation done = Recalculate(amountText, rateText, static_cast<VatMode>(mode),
                                     std::move(current), NumberFormat{});
    answer[5] = done.error ? std::string(CalcErrorName(*done.error)) : std::string();
    answer[6] = ReadInPartAs(amountText, Field::Amount);
    answer[7] = ReadInPartAs(rateText, Field::Rate);
    AnswerResults(std::move(done.results));
    return Answer(answer.size());
}

// The five result texts the window starts with.
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_initial_results() {
    return AnswerResults(ResultTexts{});
}

EMSCRIPTEN_KEEPALIVE std::int32_t tolvi_key_rule(std::int32_t code) {
    return ApplyKeyRule(static_cast<std::uint16_t>(code));
}

EMSCRIPTEN_KEEPALIVE std::int32_t tolvi_max_field_length() {
    return kMaxFieldLength;
}

// One text: what the user is told when a paste is refused for its length.
EMSCRIPTEN_KEEPALIVE const std::int32_t* tolvi_field_too_long_notice() {
    answer[0] = FieldTooLongNotice();
    return Answer(1);
}

}  // extern "C"

}  // namespace tolvi::web
