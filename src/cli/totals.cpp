#include "cli/totals.h"

#include <string>
#include <string_view>

#include "calc/list_totals.h"
#include "cli/command_line.h"
#include "cli/line_reader.h"
#include "cli/stop_signals.h"

namespace tolvi {

int RunTotals(ByteSource& in, ByteSink& out, ByteSink& err, Reading reading,
              std::size_t maxLineLength) {
    int status = kExitSuccess;
    const auto tell = [&err](const std::string& what) {
        err.Write("tolvi-vat-cli: " + what + "\n");
        err.Flush();
    };
    ListTotaller totaller;
    LineReader lines(in, maxLineLength);
    std::size_t number = 0;
    while (const auto line = lines.Next()) {
        ++number;
        const auto parsed = line->tooLong ? std::nullopt : ParseBatchLine(line->text);
        std::string_view why = line->tooLong ? "Bad input line: too long"
                               : !parsed     ? "Bad input line"
                               : reading == Reading::Strict
                                   ? StrictReadingError(parsed->amount, parsed->rate)
                                   : std::string_view();
        if (why.empty()) {
            const ListLine calculated = CalculateLine(parsed->mode, parsed->amount, parsed->rate);
            if (calculated.done.error) {
                why = CalcErrorName(*calculated.done.error);
            } else {
                totaller.Add(calculated);
            }
        }
        if (!why.empty()) {
            tell("line " + std::to_string(number) + " left out: " + std::string(why));
            status = kExitUsageError;
        }
    }
    if (StopSignal() != 0) {
        throw Interrupted();  // a table that missed rows would look complete
    }
    const ListTotals totals = totaller.Totals();
    out.Write(TotalsTable(totals, TableForm::Tabs));
    out.Flush();
    for (const TotalsRow& group : totals.groups) {
        if (group.error) {
            tell("totals of " + std::string(ModeWord(group.mode)) + " " + group.rate + ": " +
                 std::string(CalcErrorName(*group.error)));
            status = status == kExitSuccess ? kExitCalculationError : status;
        }
    }
    return status;
}

}  // namespace tolvi
