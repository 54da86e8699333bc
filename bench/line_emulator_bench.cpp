// Throughput of the line emulation on encoder-like output: status lines that
// end in carriage returns, with now and then a message line.

#include "engine/line_emulator.h"

#include <QString>
#include <benchmark/benchmark.h>

namespace {

QByteArray EncoderOutput(qsizetype size)
{
    QByteArray out;
    out.reserve(size + 256);
    for (int i = 0; out.size() < size; ++i) {
        out += "frame=" + QByteArray::number(i).rightJustified(5) + " fps= 25 q=28.0 size=" +
               QByteArray::number(i * 7).rightJustified(8) + "kB time=" + QByteArray::number(i / 25) + "." +
               QByteArray::number(i % 100).rightJustified(2, '0') + " bitrate= 792.5kbits/s speed=1.01x    \r";
        if (i % 200 == 0)
            out += "[mp4 @ 0x5555] a message line with a tab\tand a line feed\n";
    }
    return out;
}

// The emulation alone, the report taking only the line's length.
void BM_LineEmulation(benchmark::State &state)
{
    const QByteArray output = EncoderOutput(16 << 20);
    qsizetype seen = 0;
    LineEmulator emulator([&](QByteArrayView line, bool) { seen += line.size(); });
    for (auto _ : state) {
        for (qsizetype at = 0; at < output.size(); at += 65536)
            emulator.write(QByteArrayView(output).sliced(at, std::min<qsizetype>(65536, output.size() - at)));
        benchmark::DoNotOptimize(seen);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * output.size());
}
BENCHMARK(BM_LineEmulation)->Unit(benchmark::kMillisecond);

// As the runner uses it: every report decoded into a QString.
void BM_LineEmulationWithDecoding(benchmark::State &state)
{
    const QByteArray output = EncoderOutput(16 << 20);
    qsizetype seen = 0;
    LineEmulator emulator([&](QByteArrayView line, bool) { seen += QString::fromUtf8(line).size(); });
    for (auto _ : state) {
        for (qsizetype at = 0; at < output.size(); at += 65536)
            emulator.write(QByteArrayView(output).sliced(at, std::min<qsizetype>(65536, output.size() - at)));
        benchmark::DoNotOptimize(seen);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * output.size());
}
BENCHMARK(BM_LineEmulationWithDecoding)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
