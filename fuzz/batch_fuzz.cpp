// The command-line calculator's batch mode on arbitrary input. The first byte sets the longest
// line taken and the size of the pieces the input arrives in; the rest is the input. Checks:
// - one output row per input line, each with five fields and an error text;
// - a line over the limit is answered as too long, and only such a line;
// - the exit status is 2 exactly when some line was bad or, under strict reading, declined;
// - the output does not depend on how the input is cut into pieces;
// - strict reading answers each row as --lenient does, or declines it with empty fields, or
//   gives the calculation's error with empty fields.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "cli/batch.h"
#include "tests/support/string_streams.h"

namespace {

void Require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

std::size_t LongestLine(std::string_view input) {
    std::size_t longest = 0;
    for (std::size_t start = 0; start < input.size();) {
        std::size_t end = input.find('\n', start);
        end = end == std::string_view::npos ? input.size() : end;
        const bool carriageReturn = end > start && input[end - 1] == '\r';
        longest = std::max(longest, end - start - (carriageReturn ? 1 : 0));
        start = end + 1;
    }
    return longest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t maxLength = 1 + data[0] % 64;
    const std::size_t piece = 1 + data[0] / 64;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto run = [&](std::size_t pieceSize, tolvi::Reading reading, std::string& out) {
        tolvi::test::StringSource source(input, pieceSize);
        tolvi::test::StringSink sink;
        const int status = tolvi::RunBatch(source, sink, reading, maxLength);
        out = std::move(sink.text);
        return status;
    };
    std::string wholeOut;
    std::string piecesOut;
    std::string lenientOut;
    const int status = run(65536, tolvi::Reading::Strict, wholeOut);
    Require(run(piece, tolvi::Reading::Strict, piecesOut) == status);
    Require(piecesOut == wholeOut);
    const int lenientStatus = run(65536, tolvi::Reading::Lenient, lenientOut);

    // Each row: five fields and the error text, each field ended by a tab.
    std::size_t rows = 0;
    bool anyBad = false;
    bool anyDeclined = false;
    bool anyTooLong = false;
    std::string_view lenient = lenientOut;
    for (std::string_view out = wholeOut; !out.empty(); ++rows) {
        const std::size_t end = out.find('\n');
        const std::size_t lenientEnd = lenient.find('\n');
        Require(end != std::string_view::npos && lenientEnd != std::string_view::npos);
        const std::string_view row = out.substr(0, end);
        const std::string_view lenientRow = lenient.substr(0, lenientEnd);
        out.remove_prefix(end + 1);
        lenient.remove_prefix(lenientEnd + 1);
        Require(std::count(row.begin(), row.end(), '\t') == 5);
        const std::string_view error = row.substr(row.rfind('\t') + 1);
        const bool declined = row.starts_with("\t\t\t\t\tNot a number: ") ||
                              row.starts_with("\t\t\t\t\tEmpty: ") ||
                              row.starts_with("\t\t\t\t\tToo small: ");
        const std::string_view lenientError = lenientRow.substr(lenientRow.rfind('\t') + 1);
        const bool calculationError =
            !lenientError.empty() && !declined && !lenientError.starts_with("Bad input line");
        Require(declined           ? !lenientRow.ends_with("Bad input line")
                : calculationError ? row == "\t\t\t\t\t" + std::string(lenientError)
                                   : row == lenientRow);
        anyDeclined = anyDeclined || declined;
        anyBad = anyBad || error.starts_with("Bad input line");
        anyTooLong = anyTooLong || error == "Bad input line: too long";
    }
    Require(lenient.empty());
    const auto lines = std::count(input.begin(), input.end(), '\n') +
                       (input.empty() || input.back() == '\n' ? 0 : 1);
    Require(static_cast<std::ptrdiff_t>(rows) == lines);
    Require(anyTooLong == (LongestLine(input) > maxLength));
    Require(status == (anyBad || anyDeclined ? 2 : 0));
    Require(lenientStatus == (anyBad ? 2 : 0));
    return 0;
}
