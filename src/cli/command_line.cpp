#include "cli/command_line.h"

#include <string>

#include "app_identity.h"
#include "calc/recalculation.h"
#include "cli/batch.h"
#include "cli/stop_signals.h"
#include "cli/strict_reading.h"

namespace tolvi {

namespace {

constexpr std::string_view kUsage =
    "Usage: tolvi-vat-cli [--lenient] --inclusive AMOUNT RATE\n"
    "  or:  tolvi-vat-cli [--lenient] --exclusive AMOUNT RATE\n"
    "  or:  tolvi-vat-cli [--lenient] --batch\n"
    "  or:  tolvi-vat-cli --help\n"
    "  or:  tolvi-vat-cli --version\n"
    "\n"
    "Computes the VAT of AMOUNT at RATE percent exactly as the Tolvi VAT Calculator\n"
    "window shows it. --inclusive: the amount includes VAT; --exclusive: it excludes\n"
    "VAT. Prints the VAT, the rounded VAT, the total, the price and the unformatted\n"
    "price. If the calculation stops on an error, the fields as they then stand are\n"
    "printed and the error goes to standard error.\n"
    "\n"
    "An amount or a rate is calculated only when it is one number and nothing else:\n"
    "blanks around it, a sign, digits with at most one point, an exponent (1.5E3),\n"
    "and in an amount commas that group the digits before the point in threes\n"
    "(1,234.56). Any other text (1.234,56  19,5  EUR100  an empty one) is not\n"
    "calculated: the five fields are empty, the error names the field and why,\n"
    "\"Not a number: amount\" or \"Empty: rate\" (both fields: the two joined by \"; \"),\n"
    "and the exit status is 2.\n"
    "--lenient reads as the window does: the number a text begins with, blanks and\n"
    "(in an amount) commas anywhere skipped, a text with no number as 0.\n"
    "\n"
    "--batch reads lines MODE<TAB>AMOUNT<TAB>RATE from standard input (MODE\n"
    "inclusive or exclusive) and writes for each one line\n"
    "VAT<TAB>ROUNDED VAT<TAB>TOTAL<TAB>PRICE<TAB>UNFORMATTED PRICE<TAB>ERROR.\n"
    "A line of another form gives \"Bad input line\", a line longer than 1 MiB\n"
    "(1048576 bytes, a CR before the line feed not counted) \"Bad input line: too\n"
    "long\"; reading goes on with the next line. A row whose calculation stops on an\n"
    "error has it in ERROR (\"Division by zero\") and leaves the exit status as it is.\n"
    "On SIGTERM, SIGINT or SIGHUP the rows already formed are written whole, nothing\n"
    "more is read, and the exit status is 128 + the signal's number.\n"
    "\n"
    "Exit status:\n"
    "  0      success; in --batch also when rows carry calculation errors in ERROR\n"
    "  1      the calculation stopped on an error (--inclusive, --exclusive)\n"
    "  2      wrong arguments, an amount or rate not calculated, or in --batch a\n"
    "         bad input line (the other rows are still answered)\n"
    "  3      the input could not be read or the output written (the cause goes to\n"
    "         standard error and the run ends at once)\n"
    "  128+N  stopped by signal N: 129 SIGHUP, 130 SIGINT, 143 SIGTERM\n";

void WriteFields(const ResultTexts& f, ByteSink& out) {
    out.Write("VAT: " + f.unroundedVat + "\nRounded VAT: " + f.roundedVat + "\nTotal: " + f.total +
              "\nPrice: " + f.price + "\nUnformatted price: " + f.unformattedPrice + "\n");
    out.Flush();
}

int Failed(std::string_view error, int status, ByteSink& err) {
    err.Write("error: " + std::string(error) + "\n");
    err.Flush();
    return status;
}

int Single(VatMode mode, std::string_view amount, std::string_view rate, Reading reading,
           ByteSink& out, ByteSink& err) {
    if (reading == Reading::Strict) {
        if (const std::string_view unread = StrictReadingError(amount, rate); !unread.empty()) {
            WriteFields(ResultTexts{"", "", "", "", ""}, out);
            return Failed(unread, kExitUsageError, err);
        }
    }
    const Recalculation done = Recalculate(amount, rate, mode, {}, NumberFormat{});
    WriteFields(
        done.error && reading == Reading::Strict ? ResultTexts{"", "", "", "", ""} : done.results,
        out);
    if (done.error) {
        return Failed(CalcErrorName(*done.error), kExitCalculationError, err);
    }
    return kExitSuccess;
}

int Run(std::span<const std::string_view> arguments, ByteSource& in, ByteSink& out, ByteSink& err) {
    if (arguments.size() == 1 && arguments[0] == "--help") {
        out.Write(kUsage);
        out.Flush();
        return kExitSuccess;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        out.Write(std::string(identity::kAppTitle) + " " + identity::kVersionText + "\n");
        out.Flush();
        return kExitSuccess;
    }
    // --lenient goes before the mode, or after the mode's arguments.
    Reading reading = Reading::Strict;
    if (!arguments.empty() && arguments.front() == "--lenient") {
        reading = Reading::Lenient;
        arguments = arguments.subspan(1);
    } else if (!arguments.empty() && arguments.back() == "--lenient") {
        reading = Reading::Lenient;
        arguments = arguments.first(arguments.size() - 1);
    }
    if (arguments.size() == 1 && arguments[0] == "--batch") {
        return RunBatch(in, out, NumberFormat{}, reading);
    }
    if (arguments.size() == 3 && (arguments[0] == "--inclusive" || arguments[0] == "--exclusive")) {
        const VatMode mode =
            arguments[0] == "--inclusive" ? VatMode::Inclusive : VatMode::Exclusive;
        return Single(mode, arguments[1], arguments[2], reading, out, err);
    }
    err.Write(kUsage);
    err.Flush();
    return kExitUsageError;
}

}  // namespace

int RunCommandLine(std::span<const std::string_view> arguments, ByteSource& in, ByteSink& out,
                   ByteSink& err) {
    try {
        int status = kExitSuccess;
        try {
            status = Run(arguments, in, out, err);
        } catch (const Interrupted&) {
            out.Flush();  // the rows already formed
        }
        if (const int signal = StopSignal(); signal != 0) {
            return kExitStoppedBySignal + signal;
        }
        return status;
    } catch (const IoError& failure) {
        try {
            err.Write("tolvi-vat-cli: " + std::string(failure.what()) + "\n");
            err.Flush();
        } catch (const IoError&) {
            // Nowhere left to tell it; the exit status still does.
        }
        return kExitIoError;
    }
}

}  // namespace tolvi
