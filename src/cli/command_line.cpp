#include "cli/command_line.h"

#include <string>

#include "app_identity.h"
#include "calc/recalculation.h"
#include "cli/batch.h"

namespace tolvi {

namespace {

constexpr std::string_view kUsage =
    "Usage: tolvi-vat-cli --inclusive AMOUNT RATE\n"
    "       tolvi-vat-cli --exclusive AMOUNT RATE\n"
    "       tolvi-vat-cli --batch\n"
    "       tolvi-vat-cli --help\n"
    "       tolvi-vat-cli --version\n"
    "\n"
    "Computes the VAT of AMOUNT at RATE percent exactly as the Tolvi VAT Calculator window\n"
    "shows it. --inclusive: the amount includes VAT; --exclusive: it excludes VAT.\n"
    "Prints the VAT, the rounded VAT, the total, the price and the unformatted price.\n"
    "If the calculation stops on an error, the fields as they then stand are printed\n"
    "and the error goes to standard error.\n"
    "\n"
    "--batch reads lines MODE<TAB>AMOUNT<TAB>RATE from standard input (MODE inclusive or\n"
    "exclusive) and writes for each one line\n"
    "VAT<TAB>ROUNDED VAT<TAB>TOTAL<TAB>PRICE<TAB>UNFORMATTED PRICE<TAB>ERROR.\n"
    "A line of another form gives \"Bad input line\", a line longer than 1 MiB\n"
    "(1048576 bytes) \"Bad input line: too long\"; reading goes on with the next line.\n"
    "\n"
    "Exit status:\n"
    "  0  success\n"
    "  1  the calculation stopped on an error\n"
    "  2  wrong arguments, or a bad input line in --batch\n"
    "  3  the input could not be read or the output written (the cause goes to standard\n"
    "     error and the run ends at once)\n";

int Single(VatMode mode, std::string_view amount, std::string_view rate, ByteSink& out,
           ByteSink& err) {
    const Recalculation done = Recalculate(amount, rate, mode, {}, NumberFormat{});
    const ResultTexts& f = done.results;
    out.Write("VAT: " + f.unroundedVat + "\nRounded VAT: " + f.roundedVat + "\nTotal: " + f.total +
              "\nPrice: " + f.price + "\nUnformatted price: " + f.unformattedPrice + "\n");
    out.Flush();
    if (done.error) {
        err.Write("error: " + std::string(CalcErrorName(*done.error)) + "\n");
        err.Flush();
        return kExitCalculationError;
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
    if (arguments.size() == 1 && arguments[0] == "--batch") {
        return RunBatch(in, out, NumberFormat{});
    }
    if (arguments.size() == 3 && (arguments[0] == "--inclusive" || arguments[0] == "--exclusive")) {
        const VatMode mode =
            arguments[0] == "--inclusive" ? VatMode::Inclusive : VatMode::Exclusive;
        return Single(mode, arguments[1], arguments[2], out, err);
    }
    err.Write(kUsage);
    err.Flush();
    return kExitUsageError;
}

}  // namespace

int RunCommandLine(std::span<const std::string_view> arguments, ByteSource& in, ByteSink& out,
                   ByteSink& err) {
    try {
        return Run(arguments, in, out, err);
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
