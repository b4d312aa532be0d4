#include "generator/QvVorrel.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// Per-call nanoseconds of `work`, over enough calls to last about 50 ms.
template <typename TWork> double NanosecondsPerCall(TWork work) {
    using TClock = std::chrono::steady_clock;
    for (long calls = 16;; calls *= 2) {
        const auto start = TClock::now();
        for (long call = 0; call < calls; ++call)
            work();
        const std::chrono::duration<double, std::nano> took = TClock::now() - start;
        if (took > std::chrono::milliseconds(50))
            return took.count() / double(calls);
    }
}

} // namespace

// Generate plus the text Copy puts on the clipboard, for a growing number of
// lines and a router; vs_copy is its time over that of copying the finished
// text, the floor.
static void BM_GenerateScript(benchmark::State& state) {
    TQvWanList wans;
    for (int i = 0; i < state.range(0); ++i) {
        wans.push_back(std::make_unique<TQvWan>());
        wans.back()->Assign("pppoe-out" + std::to_string(i), "100.64.0." + std::to_string(i), 20 + i, 100 + i);
    }
    TQvVorrel generator;
    generator.Target = static_cast<TRouterOs>(state.range(1));
    const auto generate = [&] {
        generator.Generate("192.168.1.200", wans, "LAN", 150);
        const std::string text = generator.ScriptText();
        benchmark::DoNotOptimize(text.data());
        return text.size();
    };
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = generate();

    const std::string script = generator.ScriptText();
    const double copy = NanosecondsPerCall([&] {
        const std::string text = script;
        benchmark::DoNotOptimize(text.data());
    });
    state.counters["script_bytes"] = static_cast<double>(bytes);
    state.counters["vs_copy"] = NanosecondsPerCall(generate) / copy;
    state.SetComplexityN(state.range(0));
}
// The v6/v7 script is the longest: it checks the router first and reports at the end.
BENCHMARK(BM_GenerateScript)->ArgsProduct({{1, 8, 64}, {int(TRouterOs::V5)}})->Complexity(benchmark::oN);
BENCHMARK(BM_GenerateScript)->ArgsProduct({{1, 8, 64}, {int(TRouterOs::V6V7)}})->Complexity(benchmark::oN);
