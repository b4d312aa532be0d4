#include "generator/QvVorrel.h"

#include <benchmark/benchmark.h>

// Generate plus the text Copy puts on the clipboard, for a growing number of lines.
static void BM_GenerateScript(benchmark::State& state) {
    TQvWanList wans;
    for (int i = 0; i < state.range(0); ++i) {
        wans.push_back(std::make_unique<TQvWan>());
        wans.back()->Assign("pppoe-out" + std::to_string(i), "100.64.0." + std::to_string(i), 20 + i, 100 + i);
    }
    TQvVorrel generator;
    std::size_t bytes = 0;
    for (auto _ : state) {
        generator.Generate("192.168.1.200", wans, "LAN", 150);
        const std::string text = generator.ScriptText();
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["script_bytes"] = static_cast<double>(bytes);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GenerateScript)->Arg(1)->Arg(8)->Arg(64)->Complexity(benchmark::oN);
