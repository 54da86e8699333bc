// Profile selection (a fresh read of profiles.pop, the quality file, the lists
// and every estimate) and the estimate of a long source list.
// Run: build/bench/profile_bench

#include "engine/profile_captions.h"
#include "engine/profile_catalogue.h"
#include "engine/size_estimate.h"
#include "platform/ini/ini_file.h"
#include "platform/paths/program_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

struct NoDisplay : ProfileCaptionDisplay {
    void loadCategoryIcon(const QString &) override {}
    void showProfileCaption(const QString &) override {}
};

struct Rows : EstimateRows {
    std::vector<QString> frames, durations, shown;
    explicit Rows(int n) : frames(n), durations(n), shown(n)
    {
        for (int i = 0; i < n; ++i) {
            frames[i] = i % 2 ? QStringLiteral("1920x1080") : QStringLiteral("640x480");
            durations[i] = QStringLiteral("00:%1:%2").arg(i % 60, 2, 10, QChar(u'0')).arg(i % 59, 2, 10, QChar(u'0'));
        }
    }
    int estimateRowCount() const override { return int(frames.size()); }
    QString sourceFrameSize(int row) const override { return frames[row]; }
    QString sourceDuration(int row) const override { return durations[row]; }
    void setEstimatedSize(int row, const QString &text) override { shown[row] = text; }
};

void BM_SelectProfile(benchmark::State &bench)
{
    QTemporaryDir dir;
    // The build puts the shipped catalogue in bin/, beside bench/.
    const QString shipped = QFileInfo(RunningExecutablePath()).dir().filePath(QStringLiteral("../bin/profiles.pop"));
    if (!QFile::copy(shipped, dir.path() + "/profiles.pop")) {
        bench.SkipWithError("no bin/profiles.pop");
        return;
    }
    EngineState state;
    state.settingsLoaded = true;
    SettingsModel settings;
    NoDisplay display;
    Rows rows(100);
    TIniFile quality(dir.path() + "/pro bench.ini");
    ProfileCatalogue catalogue(state, settings, dir.path(), {}, display, rows);
    catalogue.setQualityFile(&quality);
    // Alternate between an early and a late profile so both the store and the read happen.
    int i = 0;
    for (auto _ : bench)
        catalogue.SelectProfile(i++ % 2 ? 27 : 125);
}
BENCHMARK(BM_SelectProfile)->Unit(benchmark::kMicrosecond);

void BM_UpdateAllEstimatedSizes(benchmark::State &bench)
{
    EngineState state;
    state.currentProfile = 102;
    state.profileCaption = ProfileCaption(102);
    SettingsModel settings;
    settings.cb_size.SetItems({QStringLiteral("320x240"), QStringLiteral("640x480"), QStringLiteral("1280x720")});
    settings.cb_size.SetItemIndex(2); // the last item: every row's own height is read
    settings.cb_videobitrate.SetItemIndex(2);
    settings.cb_audiobitrate.SetItemIndex(2);
    Rows rows(10000);
    for (auto _ : bench)
        UpdateAllEstimatedSizes(state, settings, rows);
}
BENCHMARK(BM_UpdateAllEstimatedSizes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
