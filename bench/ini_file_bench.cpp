// How fast the ini class answers: lookups in a lug.ini-sized file (read many
// times at start-up), the first read of a file, and one stored value.

#include "platform/ini/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A translation file of `sections` sections with 20 keys each.
QString makeFile(QTemporaryDir &dir, int sections)
{
    QByteArray text;
    for (int s = 0; s < sections; ++s) {
        text += "[Section " + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 20; ++k)
            text += "Caption number " + QByteArray::number(k) + "=Translated caption " + QByteArray::number(k) + "\r\n";
    }
    const QString path = dir.filePath("lug.ini");
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
    return path;
}

void LookupInOpenFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const TIniFile ini(makeFile(dir, int(state.range(0))));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ini.ReadString(QStringLiteral("section 3"),
                                                QStringLiteral("caption number ") + QString::number(i++ % 20),
                                                QStringLiteral("default")));
    }
}
BENCHMARK(LookupInOpenFile)->Arg(10)->Arg(1000);

void FirstReadOfFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = makeFile(dir, int(state.range(0)));
    for (auto _ : state) {
        const TIniFile ini(path);
        benchmark::DoNotOptimize(ini.ReadString(QStringLiteral("Section 1"), QStringLiteral("x"), {}));
    }
}
BENCHMARK(FirstReadOfFile)->Arg(10)->Arg(1000);

void StoreOneValue(benchmark::State &state)
{
    QTemporaryDir dir;
    TIniFile ini(makeFile(dir, 1));
    int i = 0;
    for (auto _ : state)
        ini.WriteInteger(QStringLiteral("profiles"), QStringLiteral("selcetsubindex"), i++);
}
BENCHMARK(StoreOneValue);

} // namespace

BENCHMARK_MAIN();
