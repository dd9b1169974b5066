#include "cli/command_line.h"

#include <string>

#include "app_identity.h"
#include "calc/recalculation.h"
#include "cli/batch.h"
#include "cli/stop_signals.h"
#include "cli/strict_reading.h"
#include "cli/totals.h"

namespace tolvi {

namespace {

constexpr std::string_view kUsage =
    "Usage: tolvi-vat-cli [--lenient] --inclusive AMOUNT RATE\n"
    "  or:  tolvi-vat-cli [--lenient] --exclusive AMOUNT RATE\n"
    "  or:  tolvi-vat-cli [--lenient] --batch\n"
    "  or:  tolvi-vat-cli [--lenient] --totals\n"
    "  or:  tolvi-vat-cli --help\n"
    "  or:  tolvi-vat-cli --version\n"
    "\n"
    "Computes the VAT of AMOUNT at RATE percent exactly as the Tolvi VAT Calculator\n"
    "window shows it. --inclusive: the amount includes VAT; --exclusive: it excludes\n"
    "VAT. Prints the VAT, the rounded VAT, the total, the price and the unformatted\n"
    "price. If the calculation stops on an error, the error goes to standard error\n"
    "and the five fields are printed empty (with --lenient: as they then stand).\n"
    "\n"
    "An amount or a rate is calculated only when it is one number and nothing else:\n"
    "spaces around it, a sign, digits with at most one point, an E exponent (1.5E3),\n"
    "and in an amount commas that group the digits before the point in threes\n"
    "(1,234.56). Any other text (1.234,56  19,5  1,2345  EUR100  1d3  an empty one),\n"
    "and any text holding a control character (a tab, a line feed), is not\n"
    "calculated: the five fields are empty, the error names the field and why,\n"
    "\"Not a number: amount\" or \"Empty: rate\" (both fields: the two joined by \"; \"),\n"
    "and the exit status is 2.\n"
    "--lenient reads as the window does: the number a text begins with, blanks and\n"
    "(in an amount) commas anywhere skipped, a D exponent as an E one (1d3 is 1000),\n"
    "a text with no number as 0.\n"
    "\n"
    "--batch reads lines MODE<TAB>AMOUNT<TAB>RATE from standard input (MODE\n"
    "inclusive or exclusive) and writes for each one line\n"
    "VAT<TAB>ROUNDED VAT<TAB>TOTAL<TAB>PRICE<TAB>UNFORMATTED PRICE<TAB>ERROR.\n"
    "A line of another form gives \"Bad input line\", a line longer than 1 MiB\n"
    "(1048576 bytes, a CR before the line feed not counted) \"Bad input line: too\n"
    "long\"; reading goes on with the next line. A row whose calculation stops on an\n"
    "error has it in ERROR (\"Division by zero\") and its five fields empty (with\n"
    "--lenient: as they then stand), and leaves the exit status as it is.\n"
    "On SIGTERM, SIGINT or SIGHUP the batch ends within a second, also when its\n"
    "reader has stopped reading: nothing more is read, the output ends with a whole\n"
    "row (to a pipe, rows it has no room for are left out), and the exit status is\n"
    "128 + the signal's number.\n"
    "\n"
    "--totals reads the lines --batch reads and, at the end of the input, writes\n"
    "their totals instead: a tab-separated table with a header, one row per mode\n"
    "and VAT rate (19, 19.0 and +19 are one rate), exclusive first, rates by value,\n"
    "and a last row \"all\". It gives the VAT both ways, which can differ by a cent\n"
    "or more: per line, the sum of each line's rounded VAT (price, total), and on\n"
    "the total, the VAT of the summed amount rounded once (for all, the sum of the\n"
    "rates' figures); a difference is on the total less per line. A line not\n"
    "calculated (bad, not read whole, or ended by an error) is counted in no row\n"
    "and named on standard error with its number, and the exit status is 2. A rate\n"
    "whose sums are too large has its figures empty and the error on standard\n"
    "error (exit status 1). A signal ends it as it ends --batch, with no table.\n"
    "\n"
    "Exit status:\n"
    "  0      success; in --batch also when rows carry calculation errors in ERROR\n"
    "  1      the calculation stopped on an error (--inclusive, --exclusive; in\n"
    "         --totals, the sums of a rate)\n"
    "  2      wrong arguments (named on standard error), an amount or rate not\n"
    "         calculated, or in --batch a bad input line (the other rows are still\n"
    "         answered)\n"
    "  3      the input could not be read or the output written (the cause goes to\n"
    "         standard error and the run ends at once)\n"
    "  128+N  stopped by signal N: 129 SIGHUP, 130 SIGINT, 143 SIGTERM; on Windows\n"
    "         130 Ctrl+C, 131 Ctrl+Break, 129 the console closed, 143 logging off or\n"
    "         shutting down\n";

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

// An argument as a usage message quotes it: control characters written as \n, \t or \xNN,
// so that the message stays one line.
std::string Quoted(std::string_view argument) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "'";
    for (const char c : argument) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            quoted += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

// What the arguments ask for, or the usage mistake they make.
struct Invocation {
    enum class Action { Help, Version, Batch, Totals, Single } action = Action::Single;
    VatMode mode = VatMode::Neither;
    std::string_view amount;
    std::string_view rate;
    Reading reading = Reading::Strict;
    std::string mistake;  // empty when the arguments are right
};

Invocation Parse(std::span<const std::string_view> arguments) {
    Invocation asked;
    const auto wrong = [&asked](std::string mistake) {
        asked.mistake = std::move(mistake);
        return asked;
    };
    if (arguments.empty()) {
        return wrong("no mode given: --inclusive, --exclusive or --batch");
    }
    bool haveMode = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string_view argument = arguments[at];
        if (argument == "--help" || argument == "--version") {
            if (arguments.size() != 1) {
                return wrong(Quoted(argument) + " takes no other argument");
            }
            asked.action =
                argument == "--help" ? Invocation::Action::Help : Invocation::Action::Version;
            return asked;
        }
        if (argument == "--lenient") {
            if (asked.reading == Reading::Lenient) {
                return wrong("'--lenient' given twice");
            }
            asked.reading = Reading::Lenient;
        } else if (argument == "--batch" || argument == "--totals" || argument == "--inclusive" ||
                   argument == "--exclusive") {
            if (haveMode) {
                return wrong("more than one mode: " + Quoted(argument));
            }
            haveMode = true;
            if (argument == "--batch" || argument == "--totals") {
                asked.action =
                    argument == "--batch" ? Invocation::Action::Batch : Invocation::Action::Totals;
                continue;
            }
            // AMOUNT and RATE are taken as they stand, a leading '-' included.
            if (arguments.size() - at < 3) {
                return wrong(Quoted(argument) + " needs an AMOUNT and a RATE");
            }
            asked.mode = argument == "--inclusive" ? VatMode::Inclusive : VatMode::Exclusive;
            asked.amount = arguments[at + 1];
            asked.rate = arguments[at + 2];
            at += 2;
        } else if (haveMode && !argument.starts_with('-')) {
            return wrong("extra argument " + Quoted(argument));
        } else {
            return wrong("unknown argument " + Quoted(argument));
        }
    }
    if (!haveMode) {
        return wrong("no mode given: --inclusive, --exclusive or --batch");
    }
    return asked;
}

int Run(std::span<const std::string_view> arguments, ByteSource& in, ByteSink& out, ByteSink& err) {
    const Invocation asked = Parse(arguments);
    if (!asked.mistake.empty()) {
        err.Write("tolvi-vat-cli: " + asked.mistake + "\nTry 'tolvi-vat-cli --help'.\n");
        err.Flush();
        return kExitUsageError;
    }
    switch (asked.action) {
        case Invocation::Action::Help:
            out.Write(kUsage);
            out.Flush();
            return kExitSuccess;
        case Invocation::Action::Version:
            out.Write(std::string(identity::kAppTitle) + " " + identity::kVersionText + "\n");
            out.Flush();
            return kExitSuccess;
        case Invocation::Action::Batch:
            return RunBatch(in, out, NumberFormat{}, asked.reading);
        case Invocation::Action::Totals:
            return RunTotals(in, out, err, asked.reading);
        case Invocation::Action::Single:
            break;
    }
    return Single(asked.mode, asked.amount, asked.rate, asked.reading, out, err);
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
