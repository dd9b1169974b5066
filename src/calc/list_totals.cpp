#include "calc/list_totals.h"

#include "calc/calc_error.h"
#include "calc/number_reading.h"
#include "calc/number_text.h"

namespace tolvi {

namespace {

// Every recalculation of a list, of its lines and of its groups' summed amounts.
Recalculation Recalculated(std::string_view amount, std::string_view rate, VatMode mode) {
    return Recalculate(amount, rate, mode, ResultTexts{}, NumberFormat{});
}

std::string Written(double value) {
    return NumberToText(value, NumberFormat{});
}

// A sum the calculation can hold, or Overflow.
const DecimalSum& Held(const DecimalSum& sum) {
    ReadNumber(sum.Plain());
    return sum;
}

// The figures' display forms and plain forms, all of them cents.
void WriteFigures(TotalsRow& row, const std::string& amount, const DecimalSum* const (&sums)[9]) {
    const NumberFormat format;
    row.display.amount = row.plain.amount = amount;
    std::string* const display[] = {
        &row.display.vatPerLine,   &row.display.vatOnTotal,   &row.display.vatDifference,
        &row.display.pricePerLine, &row.display.priceOnTotal, &row.display.priceDifference,
        &row.display.totalPerLine, &row.display.totalOnTotal, &row.display.totalDifference};
    std::string* const plain[] = {
        &row.plain.vatPerLine,   &row.plain.vatOnTotal,   &row.plain.vatDifference,
        &row.plain.pricePerLine, &row.plain.priceOnTotal, &row.plain.priceDifference,
        &row.plain.totalPerLine, &row.plain.totalOnTotal, &row.plain.totalDifference};
    for (std::size_t i = 0; i < 9; ++i) {
        *display[i] = Held(*sums[i]).Fixed(format.fractionDigits, format.groupSeparator);
        *plain[i] = sums[i]->Fixed(format.fractionDigits, "");
    }
}

// VAT, price and total per line, on the total and their difference, for a group or for all.
struct Figures {
    DecimalSum amount;
    DecimalSum perLine[3];  // VAT, price, total
    DecimalSum onTotal[3];

    void Write(TotalsRow& row) const {
        DecimalSum difference[3];
        for (int i = 0; i < 3; ++i) {
            difference[i].Add(onTotal[i]);
            difference[i].Add(perLine[i], -1);
        }
        const DecimalSum* const sums[9] = {&perLine[0], &onTotal[0], &difference[0],
                                           &perLine[1], &onTotal[1], &difference[1],
                                           &perLine[2], &onTotal[2], &difference[2]};
        WriteFigures(row, Written(ReadAmount(amount.Plain())), sums);
    }
};

void AddResults(DecimalSum (&sums)[3], const ResultTexts& results) {
    sums[0].Add(results.roundedVat);
    sums[1].Add(results.price);
    sums[2].Add(results.total);
}

}  // namespace

std::string Ungrouped(std::string_view display) {
    std::string plain;
    for (const char c : display) {
        if (c != ',') {
            plain += c;
        }
    }
    return plain;
}

std::string_view ModeWord(VatMode mode) {
    return mode == VatMode::Exclusive ? "exclusive" : mode == VatMode::Inclusive ? "inclusive" : "";
}

ListLine CalculateLine(VatMode mode, std::string_view amount, std::string_view rate) {
    return {mode, std::string(amount), std::string(rate), Recalculated(amount, rate, mode)};
}

bool ListTotaller::Add(const ListLine& line) {
    if (line.done.error || line.mode == VatMode::Neither) {
        return false;
    }
    const double rate = ReadNumber(line.rate);
    Group& group = groups_[{line.mode == VatMode::Exclusive ? 0 : 1, rate}];
    if (group.lines++ == 0) {
        group.rate = line.rate;
    }
    group.amount.Add(ToSignificantDigits(ReadAmount(line.amount)));
    group.vat.Add(line.done.results.roundedVat);
    group.price.Add(line.done.results.price);
    group.total.Add(line.done.results.total);
    return true;
}

ListTotals ListTotaller::Totals() const {
    ListTotals totals;
    Figures all;
    for (const auto& [key, group] : groups_) {
        TotalsRow& row = totals.groups.emplace_back();
        row.mode = key.first == 0 ? VatMode::Exclusive : VatMode::Inclusive;
        row.rate = Written(key.second);
        row.lines = group.lines;
        totals.all.lines += group.lines;
        try {
            Figures figures;
            figures.amount = group.amount;
            figures.perLine[0] = group.vat;
            figures.perLine[1] = group.price;
            figures.perLine[2] = group.total;
            const std::string amount = Held(group.amount).Plain();
            const Recalculation onTotal = Recalculated(amount, group.rate, row.mode);
            if (onTotal.error) {
                throw CalcError(*onTotal.error);
            }
            AddResults(figures.onTotal, onTotal.results);
            figures.Write(row);
            all.amount.Add(figures.amount);
            for (int i = 0; i < 3; ++i) {
                all.perLine[i].Add(figures.perLine[i]);
                all.onTotal[i].Add(figures.onTotal[i]);
            }
        } catch (const CalcError& error) {
            row.display = row.plain = TotalsFigures{};
            row.error = error.kind();
            totals.all.error = totals.all.error.value_or(error.kind());
        }
    }
    if (!totals.all.error) {
        try {
            all.Write(totals.all);
        } catch (const CalcError& error) {
            totals.all.display = totals.all.plain = TotalsFigures{};
            totals.all.error = error.kind();
        }
    }
    return totals;
}

ListTotals TotalsOf(std::span<const ListLine> lines) {
    ListTotaller totaller;
    for (const ListLine& line : lines) {
        totaller.Add(line);
    }
    return totaller.Totals();
}

namespace {

// Writes rows of fields, each field quoted when CSV asks for it.
class TableWriter {
  public:
    explicit TableWriter(TableForm form) : form_(form) {}

    void Field(std::string_view text) {
        if (!atStart_) {
            text_ += form_ == TableForm::Tabs ? '\t' : ',';
        }
        atStart_ = false;
        if (form_ == TableForm::Csv && text.find_first_of(",\"\r\n") != std::string_view::npos) {
            text_ += '"';
            for (const char c : text) {
                text_ += c == '"' ? "\"\"" : std::string(1, c);
            }
            text_ += '"';
        } else {
            text_ += text;
        }
    }
    void EndRow() {
        text_ += form_ == TableForm::Tabs ? "\n" : "\r\n";
        atStart_ = true;
    }
    bool Grouped() const { return form_ == TableForm::Tabs; }
    std::string Text() && { return std::move(text_); }

  private:
    TableForm form_;
    std::string text_;
    bool atStart_ = true;
};

void WriteTotals(TableWriter& table, const ListTotals& totals) {
    for (const std::string_view column : kTotalsColumns) {
        table.Field(column);
    }
    table.EndRow();
    const auto row = [&table](const TotalsRow& row, std::string_view mode) {
        const TotalsFigures& f = table.Grouped() ? row.display : row.plain;
        const std::string lines = std::to_string(row.lines);
        for (const std::string_view field :
             {mode, std::string_view(row.rate), std::string_view(lines), std::string_view(f.amount),
              std::string_view(f.vatPerLine), std::string_view(f.vatOnTotal),
              std::string_view(f.vatDifference), std::string_view(f.pricePerLine),
              std::string_view(f.priceOnTotal), std::string_view(f.priceDifference),
              std::string_view(f.totalPerLine), std::string_view(f.totalOnTotal),
              std::string_view(f.totalDifference)}) {
            table.Field(field);
        }
        table.EndRow();
    };
    for (const TotalsRow& group : totals.groups) {
        row(group, ModeWord(group.mode));
    }
    row(totals.all, "all");
}

}  // namespace

std::string TotalsTable(const ListTotals& totals, TableForm form) {
    TableWriter table(form);
    WriteTotals(table, totals);
    return std::move(table).Text();
}

std::string ListTable(std::span<const ListLine> lines, const ListTotals& totals, TableForm form) {
    TableWriter table(form);
    for (const std::string_view column : {"mode", "amount", "rate", "vat", "price", "total"}) {
        table.Field(column);
    }
    table.EndRow();
    for (const ListLine& line : lines) {
        table.Field(ModeWord(line.mode));
        if (line.done.error) {  // a line the totals leave out, with no figures
            table.Field(line.amount);
            table.Field(line.rate);
            table.EndRow();
            continue;
        }
        table.Field(Written(ReadAmount(line.amount)));
        table.Field(Written(ReadNumber(line.rate)));
        const ResultTexts& r = line.done.results;
        for (const std::string* figure : {&r.roundedVat, &r.price, &r.total}) {
            table.Field(table.Grouped() ? *figure : Ungrouped(*figure));
        }
        table.EndRow();
    }
    table.EndRow();
    WriteTotals(table, totals);
    return std::move(table).Text();
}

}  // namespace tolvi
