// One full recalculation over a plain record of field texts, in each mode.
#include <benchmark/benchmark.h>

#include "calc/recalculation.h"
#include "calc/record_fields.h"

namespace tolvi {
namespace {

void Recalculate(benchmark::State& state, VatMode mode, const char* amount, const char* rate) {
    const NumberFormat format;
    FieldTexts texts;
    texts.mode = mode;
    texts.amount = amount;
    texts.rate = rate;
    RecordFields record(format, texts);
    for (auto _ : state) {
        Text_amount_Change(record, format);
        benchmark::DoNotOptimize(record.texts.total.data());
    }
}

void BM_RecalculationInclusive(benchmark::State& state) {
    Recalculate(state, VatMode::Inclusive, "10000", "17.5");
}
void BM_RecalculationExclusive(benchmark::State& state) {
    Recalculate(state, VatMode::Exclusive, "10000", "17.5");
}
BENCHMARK(BM_RecalculationInclusive);
BENCHMARK(BM_RecalculationExclusive);

}  // namespace
}  // namespace tolvi
