#include "cli/batch.h"

#include <optional>
#include <string>
#include <string_view>

#include "calc/recalculation.h"
#include "cli/line_reader.h"

namespace tolvi {

std::optional<BatchLine> ParseBatchLine(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    const auto firstTab = line.find('\t');
    if (firstTab == std::string_view::npos) {
        return std::nullopt;
    }
    const auto secondTab = line.find('\t', firstTab + 1);
    if (secondTab == std::string_view::npos ||
        line.find('\t', secondTab + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view mode = line.substr(0, firstTab);
    BatchLine parsed{VatMode::Neither, line.substr(firstTab + 1, secondTab - firstTab - 1),
                     line.substr(secondTab + 1)};
    if (mode == "inclusive") {
        parsed.mode = VatMode::Inclusive;
    } else if (mode == "exclusive") {
        parsed.mode = VatMode::Exclusive;
    } else {
        return std::nullopt;
    }
    return parsed;
}

int RunBatch(ByteSource& in, ByteSink& out, const NumberFormat& format, Reading reading,
             std::size_t maxLineLength) {
    constexpr std::string_view kNoResults = "\t\t\t\t\t";
    int status = 0;
    LineReader lines(in, maxLineLength);
    lines.BeforeEachRead([&out] { out.Flush(); });
    std::string row;
    while (const auto line = lines.Next()) {
        row.clear();
        const auto parsed = line->tooLong ? std::nullopt : ParseBatchLine(line->text);
        const std::string_view unread = parsed && reading == Reading::Strict
                                            ? StrictReadingError(parsed->amount, parsed->rate)
                                            : std::string_view();
        if (!parsed) {
            row = kNoResults;
            row += line->tooLong ? "Bad input line: too long" : "Bad input line";
            status = 2;
        } else if (!unread.empty()) {
            row = kNoResults;
            row += unread;
            status = 2;
        } else {
            const Recalculation done =
                Recalculate(parsed->amount, parsed->rate, parsed->mode, {}, format);
            const ResultTexts& f = done.results;
            if (done.error && reading == Reading::Strict) {
                row = kNoResults;  // no figure beside an error, which a sum would take as one
            } else {
                for (const std::string* field :
                     {&f.unroundedVat, &f.roundedVat, &f.total, &f.price, &f.unformattedPrice}) {
                    row += *field;
                    row += '\t';
                }
            }
            if (done.error) {
                row += CalcErrorName(*done.error);
            }
        }
        row += '\n';
        out.Write(row);
    }
    out.Flush();
    return status;
}

}  // namespace tolvi
