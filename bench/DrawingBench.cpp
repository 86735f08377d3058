// The software blits against a well-tuned compositing library doing the same work on the
// same pictures (bench/DrawingPairs.h): BM_<case>_Ours times our side, BM_<case>_Peer the
// library's, in the same run, so that the ratio of the two shows where our inner loops
// stand.

#include "bench/DrawingPairs.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void DrawOurs(benchmark::State& state, const Bench::DrawingCase& drawing)
{
    const std::unique_ptr<Bench::DrawingPair> pair = drawing.mMake();
    for (auto _ : state)
        pair->DrawOurs();
}

void DrawPeer(benchmark::State& state, const Bench::DrawingCase& drawing)
{
    const std::unique_ptr<Bench::DrawingPair> pair = drawing.mMake();
    for (auto _ : state)
        pair->DrawPeer();
}

const bool kRegistered = [] {
    for (const Bench::DrawingCase& drawing : Bench::DrawingCases()) {
        const std::string name = std::string("BM_") + drawing.mName;
        benchmark::RegisterBenchmark((name + "_Ours").c_str(), DrawOurs, drawing)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "_Peer").c_str(), DrawPeer, drawing)->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace
