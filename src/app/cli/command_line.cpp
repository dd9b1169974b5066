#include "app/cli/command_line.h"

#include "app/cli/batch.h"
#include "calc/fresh_recalculation.h"

namespace tolvi {

namespace {

constexpr std::string_view kUsage =
    "Usage: tolvi-vat-cli --inclusive AMOUNT RATE\n"
    "       tolvi-vat-cli --exclusive AMOUNT RATE\n"
    "       tolvi-vat-cli --batch\n"
    "       tolvi-vat-cli --help\n"
    "\n"
    "Computes the VAT of AMOUNT at RATE percent exactly as the Tolvi VAT Calculator window\n"
    "shows it. --inclusive: the amount includes VAT; --exclusive: it excludes VAT.\n"
    "Prints the VAT, the rounded VAT, the total, the price and the unformatted price.\n"
    "If the calculation stops on an error, the fields as they then stand are printed,\n"
    "the error goes to standard error and the exit status is 1.\n"
    "\n"
    "--batch reads lines MODE<TAB>AMOUNT<TAB>RATE from standard input (MODE inclusive or\n"
    "exclusive) and writes for each one line\n"
    "VAT<TAB>ROUNDED VAT<TAB>TOTAL<TAB>PRICE<TAB>UNFORMATTED PRICE<TAB>ERROR.\n"
    "A line of another form gives \"Bad input line\" and makes the exit status 2.\n";

constexpr int kUsageError = 2;

int Single(VatMode mode, std::string_view amount, std::string_view rate, std::ostream& out,
           std::ostream& err) {
    const RecalculationOutcome outcome = RecalculateFresh(mode, amount, rate, NumberFormat{});
    const FieldTexts& f = outcome.fields;
    out << "VAT: " << f.vatCaption << '\n'
        << "Rounded VAT: " << f.roundedVat << '\n'
        << "Total: " << f.total << '\n'
        << "Price: " << f.price << '\n'
        << "Unformatted price: " << f.unformattedPrice << '\n';
    out.flush();
    if (outcome.error) {
        err << "error: " << CalcErrorName(*outcome.error) << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int RunCommandLine(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    if (arguments.size() == 1 && arguments[0] == "--help") {
        out << kUsage;
        return 0;
    }
    if (arguments.size() == 1 && arguments[0] == "--batch") {
        return RunBatch(in, out, NumberFormat{});
    }
    if (arguments.size() == 3 && (arguments[0] == "--inclusive" || arguments[0] == "--exclusive")) {
        const VatMode mode =
            arguments[0] == "--inclusive" ? VatMode::Inclusive : VatMode::Exclusive;
        return Single(mode, arguments[1], arguments[2], out, err);
    }
    err << kUsage;
    return kUsageError;
}

}  // namespace tolvi
