// Throughput of the command-line calculator's batch mode, in lines per second.
#include <benchmark/benchmark.h>

#include <string>

#include "cli/batch.h"
#include "tests/support/string_streams.h"

namespace tolvi {
namespace {

std::string BatchInput(int lines) {
    const char* samples[] = {"inclusive\t117\t17.5\n", "exclusive\t10000\t17.5\n",
                             "inclusive\t1,234.56\t20\n", "exclusive\t99.99\t5\n"};
    std::string input;
    for (int i = 0; i < lines; ++i) {
        input += samples[i % 4];
    }
    return input;
}

void BM_BatchLines(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const std::string input = BatchInput(lines);
    for (auto _ : state) {
        test::StringSource in(input);
        test::StringSink out;
        benchmark::DoNotOptimize(RunBatch(in, out, Reading::Strict));
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_BatchLines)->Arg(10000);

}  // namespace
}  // namespace tolvi
