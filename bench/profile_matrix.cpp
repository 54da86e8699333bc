// Converts a clip with every choice the settings window offers: for each
// profile, every frame size, every video quality, and every audio quality with
// every channel item (the other choices as the profile's defaults leave them). Each job is built by the engine as a file run
// builds it and run through register.dat on the console runner; the output
// must open in ffprobe with the streams the profile promises. Prints each
// failure and a summary; exits 1 when any job failed.
//   profile_matrix <bin dir> <source clip> <output dir> <parallel jobs>

#include "engine/encoder_command_line.h"
#include "engine/job_builder.h"
#include "engine/profile_catalogue.h"
#include "engine/profile_number.h"
#include "tests/support/profile_jobs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <cstdio>
#include <vector>

namespace {

struct Job {
    int profile = 0;
    QString choice, output;
    bool video = false;
    ravenmoor::test::EncoderRun run;
};

// Empty when ffprobe finds the streams the job promises, else what is wrong.
QString Problem(const Job &job)
{
    if (job.run.exitCode != 0)
        return QStringLiteral("encoder exit %1: %2").arg(job.run.exitCode).arg(job.run.lastLines);
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"), {"-v", "error", "-show_streams", "-of", "json", job.output});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return QStringLiteral("ffprobe cannot read it");
    int video = 0, audio = 0;
    const QJsonArray streams = QJsonDocument::fromJson(probe.readAllStandardOutput()).object()["streams"].toArray();
    for (const QJsonValue &v : streams) {
        const QString type = v.toObject()["codec_type"].toString();
        video += type == u"video";
        audio += type == u"audio";
    }
    if (audio == 0)
        return QStringLiteral("no audio stream");
    if ((video > 0) != job.video)
        return QStringLiteral("%1 video streams").arg(video);
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: profile_matrix <bin dir> <source clip> <output dir> <parallel jobs>\n");
        return 2;
    }
    const QString bin = args[1];
    EngineState state;
    SettingsModel settings;
    ravenmoor::test::NoCaptionDisplay display;
    ravenmoor::test::NoEstimateRows rows;
    ProfileCatalogue catalogue(state, settings, bin, {}, display, rows);
    settings.ed_output = args[3];
    state.currentJob.workingFolder = bin;
    state.currentJob.encoderPath = bin + "/register.dat";

    // The probe's text for six channels without a named layout, so "6 Channel" asks for six.
    Toriginalinfo info;
    info.path = args[2];
    info.frameSize = "320x240";
    info.duration = "00:00:01";
    info.channels = " 6 channels";

    std::vector<Job> jobs;
    QSet<QString> seen; // command lines without their output: one job each
    const auto add = [&](int profile, const QString &choice) {
        BuildFileJob(state, settings, "matrix", info, ClipRange{0, 0, 0, 1, 0});
        const QString line = FileConversionCommandLine(state.currentJob);
        QString key = line;
        key.remove(state.currentJob.output);
        if (seen.contains(key))
            return;
        seen.insert(key);
        jobs.push_back({profile, choice, state.currentJob.output,
                        IsDiscTarget(profile) || !state.currentJob.sizePiece.isEmpty(), {line, 0, {}}});
    };
    for (int n = kFirstProfileNumber; n <= kLastProfileNumber; ++n) {
        if (!IsProfile(n))
            continue;
        catalogue.SelectProfile(n);
        const int size0 = settings.cb_size.ItemIndex(), video0 = settings.cb_videobitrate.ItemIndex();
        const int sizes = settings.cb_size.Enabled() || IsDiscTarget(n) ? settings.cb_size.Count() : 1;
        const int videos = settings.cb_videobitrate.Enabled() ? 5 : 1;
        for (int s = 0; s < sizes; ++s) {
            settings.cb_size.SetItemIndex(sizes > 1 ? s : size0);
            add(n, QStringLiteral("size %1").arg(settings.cb_size.Text()));
        }
        settings.cb_size.SetItemIndex(size0);
        for (int v = 0; v < videos; ++v) {
            settings.cb_videobitrate.SetItemIndex(videos > 1 ? v : video0);
            add(n, QStringLiteral("video %1").arg(v));
        }
        settings.cb_videobitrate.SetItemIndex(video0);
        const int audios = settings.cb_audiobitrate.Enabled() ? 5 : 1;
        const int channels = settings.cb_channel.Enabled() ? settings.cb_channel.Count() : 1;
        const int audio0 = settings.cb_audiobitrate.ItemIndex(), channel0 = settings.cb_channel.ItemIndex();
        for (int a = 0; a < audios; ++a) {
            for (int c = 0; c < channels; ++c) {
                settings.cb_audiobitrate.SetItemIndex(audios > 1 ? a : audio0);
                settings.cb_channel.SetItemIndex(channels > 1 ? c : channel0);
                add(n, QStringLiteral("audio %1, channel %2").arg(a).arg(settings.cb_channel.Text()));
            }
        }
    }

    QElapsedTimer clock;
    clock.start();
    std::vector<ravenmoor::test::EncoderRun> runs;
    for (const Job &job : jobs)
        runs.push_back(job.run);
    ravenmoor::test::RunEncoderLines(runs, bin, args[4].toInt());
    for (std::size_t i = 0; i < jobs.size(); ++i)
        jobs[i].run = runs[i];

    int failed = 0;
    for (const Job &job : jobs) {
        const QString problem = Problem(job);
        if (problem.isEmpty())
            continue;
        ++failed;
        std::printf("FAILED %3d (%s): %s\n  %s\n", job.profile, qPrintable(job.choice), qPrintable(problem),
                    qPrintable(job.run.commandLine));
    }
    std::printf("%zu conversions in %.1f s: %zu passed, %d failed\n", jobs.size(), clock.elapsed() / 1000.0,
                jobs.size() - std::size_t(failed), failed);
    return failed == 0 ? 0 : 1;
}
