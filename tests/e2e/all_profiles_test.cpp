// Every output profile converts a real clip through register.dat into a file
// of its own format: the job is built by the engine exactly as a file run
// builds it (default quality choices), its command line is run by the console
// runner, and ffprobe checks the result. Prints one line per profile and a
// "N passed, N failed" summary.

#include "engine/encoder_command_line.h"
#include "engine/job_builder.h"
#include "engine/profile_captions.h"
#include "engine/profile_catalogue.h"
#include "engine/profile_number.h"
#include "engine/size_estimate.h"
#include "tests/support/profile_jobs.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using ravenmoor::test::binDir;

struct Job {
    int profile = 0;
    QString caption, commandLine, output, frameSize; // frameSize empty: no video
    quint32 exitCode = 0;
    QString lastLines;
};

// The frame size a disc target makes for "PAL".
QString DiscFrameSize(int profile)
{
    static const char *const sizes[] = {"352x288", "480x576", "720x576"};
    return QString::fromLatin1(sizes[profile - 112]);
}

// The ffprobe container names and, for the ISO family, the brands that fit an extension.
struct Container {
    const char *ext;
    const char *format;
    std::vector<const char *> brands;
};
const Container kContainers[] = {
    {".mp4", "mp4", {"isom", "mp42", "MSNV"}}, {".MP4", "mp4", {"isom", "mp42"}}, {".m4a", "mp4", {"M4A "}},
    {".mov", "mov", {"qt  "}},                 {".3gp", "3gp", {"3gp4", "3gp5", "3gp6"}}, {".3g2", "3g2", {"3g2a"}},
    {".avi", "avi", {}},                       {".asf", "asf", {}},     {".wmv", "asf", {}},  {".wma", "asf", {}},
    {".flv", "flv", {}},                       {".swf", "swf", {}},     {".rm", "rm", {}},    {".ra", "rm", {}},
    {".mkv", "matroska", {}},                  {".mpg", "mpeg", {}},    {".mpeg", "mpeg", {}}, {".vob", "mpeg", {}},
    {".ts", "mpegts", {}},                     {".aac", "aac", {}},     {".ac3", "ac3", {}},  {".mp3", "mp3", {}},
    {".mp2", "mp3", {}},                       {".ogg", "ogg", {}},     {".wav", "wav", {}},  {".aiff", "aiff", {}},
    {".au", "au", {}},                         {".amr", "amr", {}},
};

// Empty when the output is what the profile promises, else what is wrong.
QString Check(const Job &job, QString *summary)
{
    const QFileInfo file(job.output);
    if (!file.exists() || file.size() == 0)
        return QStringLiteral("no output (encoder exit %1): %2").arg(job.exitCode).arg(job.lastLines);
    QString json;
    const QStringList args{"-v", "error", "-show_format", "-show_streams", "-of", "json", job.output};
    if (ravenmoor::test::runProgram("ffprobe", args, &json) != 0)
        return QStringLiteral("ffprobe cannot read it: ") + json.left(300);
    const QJsonObject root = QJsonDocument::fromJson(json.toUtf8()).object();
    const QJsonObject format = root["format"].toObject();
    const QString ext = ExtensionOfCaption(job.caption);
    const Container *container = nullptr;
    for (const Container &c : kContainers)
        if (ext == QLatin1String(c.ext))
            container = &c;
    if (!container)
        return QStringLiteral("no container known for ") + ext;
    const QStringList formats = format["format_name"].toString().split(',');
    if (!formats.contains(QLatin1String(container->format)))
        return QStringLiteral("container %1 for %2").arg(format["format_name"].toString(), ext);
    if (!container->brands.empty()) {
        const QString brand = format["tags"].toObject()["major_brand"].toString();
        bool fits = false;
        for (const char *b : container->brands)
            fits = fits || brand == QLatin1String(b);
        if (!fits)
            return QStringLiteral("brand \"%1\" for %2").arg(brand, ext);
    }
    QStringList video, audio;
    QString size;
    for (const QJsonValue &v : root["streams"].toArray()) {
        const QJsonObject s = v.toObject();
        const QString type = s["codec_type"].toString();
        if (type == u"video" && s["disposition"].toObject()["attached_pic"].toInt() == 0) {
            video << s["codec_name"].toString();
            size = QStringLiteral("%1x%2").arg(s["width"].toInt()).arg(s["height"].toInt());
        } else if (type == u"audio") {
            audio << QStringLiteral("%1 %2 Hz %3 ch")
                         .arg(s["codec_name"].toString(), s["sample_rate"].toString())
                         .arg(s["channels"].toInt());
        }
    }
    *summary = (video.isEmpty() ? QString() : video.join('+') + " " + size + ", ") + audio.join('+');
    if (video.size() != (job.frameSize.isEmpty() ? 0 : 1))
        return QStringLiteral("%1 video streams").arg(video.size());
    if (audio.isEmpty())
        return QStringLiteral("no audio stream");
    if (!job.frameSize.isEmpty() && size != job.frameSize)
        return QStringLiteral("frame size %1, asked for %2").arg(size, job.frameSize);
    if ((ext == u".amr" || ext == u".3gp") && !audio.first().startsWith(QLatin1String("amr_nb 8000 Hz 1 ch")))
        return QStringLiteral("audio %1, AMR-NB 8000 Hz mono expected").arg(audio.first());
    return {};
}

TEST(AllProfiles, EveryProfileMakesAFileOfItsFormat)
{
    int argc = 1;
    char name[] = "all_profiles_test";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString source = dir.path() + "/source clip.mkv";
    ASSERT_TRUE(ravenmoor::test::makeClip(source, 2.0, {"-ac", "2"}));

    // One engine state for the whole list of jobs, as one run would have it.
    EngineState state;
    SettingsModel settings;
    ravenmoor::test::NoCaptionDisplay display;
    ravenmoor::test::NoEstimateRows rows;
    ProfileCatalogue catalogue(state, settings, binDir(), {}, display, rows);
    settings.ed_output = dir.path() + "/out";
    state.currentJob.workingFolder = binDir();
    state.currentJob.encoderPath = binDir() + "/register.dat";

    Toriginalinfo info;
    info.path = source;
    info.frameSize = "320x240";
    info.duration = "00:00:02";
    info.channels = " stereo";
    std::vector<Job> jobs;
    for (int n = kFirstProfileNumber; n <= kLastProfileNumber; ++n) {
        if (!IsProfile(n))
            continue;
        catalogue.SelectProfile(n);
        BuildFileJob(state, settings, "source clip", info, ClipRange{0, 0, 0, 2, 0});
        Job job;
        job.profile = n;
        job.caption = state.profileCaption;
        job.commandLine = FileConversionCommandLine(state.currentJob);
        job.output = state.currentJob.output;
        if (IsDiscTarget(n))
            job.frameSize = DiscFrameSize(n);
        else if (!state.currentJob.sizePiece.isEmpty())
            job.frameSize = state.currentJob.sizePiece.mid(4);
        jobs.push_back(job);
    }
    ASSERT_EQ(jobs.size(), std::size_t(kProfileCount));

    // One encoder per core side by side; each end starts the next job.
    std::vector<ravenmoor::test::EncoderRun> runs;
    for (const Job &job : jobs)
        runs.push_back({job.commandLine, 0, {}});
    ravenmoor::test::RunEncoderLines(runs, binDir(), std::max(2, QThread::idealThreadCount()));
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        jobs[i].exitCode = runs[i].exitCode;
        jobs[i].lastLines = runs[i].lastLines;
    }

    int passed = 0, failed = 0;
    for (const Job &job : jobs) {
        QString summary;
        const QString problem = Check(job, &summary);
        (problem.isEmpty() ? passed : failed)++;
        std::printf("%3d %-52s %s\n", job.profile, qPrintable(job.caption),
                    qPrintable(problem.isEmpty() ? "ok: " + summary : "FAILED: " + problem));
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(passed, kProfileCount);
}

} // namespace
