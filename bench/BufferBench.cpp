// Save files are written and read a byte at a time through Zest::Buffer, and demo event
// streams a bit at a time; both should cost little per field.

#include "framework/app/common/Buffer.h"

#include <benchmark/benchmark.h>

namespace {

// A record shaped like a saved profile: numbers, flags and a name.
void WriteRecord(Zest::Buffer& buffer, const int32_t i)
{
    buffer.WriteLong(i);
    buffer.WriteShort(static_cast<int16_t>(i));
    buffer.WriteBoolean((i & 1) != 0);
    buffer.WriteString("Player profile name");
}

void BM_BufferWriteReadRecords(benchmark::State& state)
{
    const auto records = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        Zest::Buffer buffer;
        for (int32_t i = 0; i < records; ++i)
            WriteRecord(buffer, i);
        int64_t sum = 0;
        for (int32_t i = 0; i < records; ++i) {
            sum += buffer.ReadLong();
            sum += buffer.ReadShort();
            sum += buffer.ReadBoolean();
            sum += static_cast<int64_t>(buffer.ReadString().size());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * records * 30);
}
BENCHMARK(BM_BufferWriteReadRecords)->Arg(1000);

void BM_BufferWriteReadBits(benchmark::State& state)
{
    const auto fields = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        Zest::Buffer buffer;
        for (int32_t i = 0; i < fields; ++i)
            buffer.WriteBits(i, 13);
        int64_t sum = 0;
        for (int32_t i = 0; i < fields; ++i)
            sum += buffer.ReadBits(13, false);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * fields);
}
BENCHMARK(BM_BufferWriteReadBits)->Arg(10000);

} // namespace
