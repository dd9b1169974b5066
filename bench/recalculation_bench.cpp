// One full recalculation from the window's initial result texts, in each mode.
#include <benchmark/benchmark.h>

#include "calc/recalculation.h"

namespace tolvi {
namespace {

void Recalculations(benchmark::State& state, VatMode mode, const char* amount, const char* rate) {
    for (auto _ : state) {
        const Recalculation done = Recalculate(amount, rate, mode);
        benchmark::DoNotOptimize(done.results.total.data());
    }
}

void BM_RecalculationInclusive(benchmark::State& state) {
    Recalculations(state, VatMode::Inclusive, "10000", "17.5");
}
void BM_RecalculationExclusive(benchmark::State& state) {
    Recalculations(state, VatMode::Exclusive, "10000", "17.5");
}
BENCHMARK(BM_RecalculationInclusive);
BENCHMARK(BM_RecalculationExclusive);

}  // namespace
}  // namespace tolvi
