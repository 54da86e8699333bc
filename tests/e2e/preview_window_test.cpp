// The preview through the real window on a real X display (a private Xvfb
// server the test starts for itself): the real players over libmpv drawing
// into pl_play, a 10-s clip made with lavfi whose brightness steps up every
// second (so a picture tells its second) and a real DVD folder made with
// dvdauthor; the play buttons, the skin's pause, stop and play bar, the cut
// marks honoured by a real conversion, the snapshot as a picture file. A
// second DVD folder holds the steps as one long title, which a rip enters
// past its first sectors.

#include "disc/preview_control.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "tests/support/private_display.h"
#include "tests/support/test_support.h"
#include "tests/support/window_program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QComboBox>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

constexpr int kClipSeconds = 10;
constexpr int kTitleSeconds = 24; // the fixture's first title: four chapters of 6 s
constexpr int kShortSeconds = 6;
constexpr int kStepsTitleSeconds = 12;

// The clip's luma in second s: a step of 18 a second.
int ClipLuma(int s)
{
    return 40 + 18 * s;
}

// Its grey level in a picture: the luma stretched from video range (16 to 235) to 0 to 255.
double ClipLevel(int s)
{
    return (ClipLuma(s) - 16) * 255.0 / 219.0;
}

// A grey level the clip shows somewhere from second `from` to second `to`.
bool PlaysSecond(double level, int from, int to)
{
    return level > ClipLevel(from) - 6 && level < ClipLevel(to) + 6;
}

// The second of the clip a grey level shows.
int SecondOfLevel(double level)
{
    return int(std::lround((level * 219.0 / 255.0 + 16 - ClipLuma(0)) / (ClipLuma(1) - ClipLuma(0))));
}

// The lavfi source of the steps at that size ("WxH"), 25 pictures a second.
QString StepsSource(const QString &size)
{
    return QStringLiteral("color=c=black:size=%1:rate=25,geq=lum='%2+%3*floor(T)':cb=128:cr=128")
        .arg(size)
        .arg(ClipLuma(0))
        .arg(ClipLuma(1) - ClipLuma(0));
}

// A DVD folder whose only title is the steps, `seconds` long, in one cell.
bool MakeStepsDvd(const QString &dir, int seconds)
{
    QTemporaryDir work;
    const QString mpg = work.filePath(QStringLiteral("steps.mpg"));
    if (!makeClip(mpg, seconds,
                  QStringList{"-c:v", "mpeg2video", "-s", "720x576", "-r", "25", "-g", "15", "-bf", "2", "-pix_fmt",
                              "yuv420p", "-aspect", "4:3", "-b:v", "5000k", "-minrate", "5000k", "-maxrate", "5000k",
                              "-bufsize", "1835k", "-c:a", "ac3", "-b:a", "192k", "-ar", "48000", "-ac", "2"} +
                      dvdMuxOptions(),
                  StepsSource(QStringLiteral("720x576")), QStringLiteral("sine=frequency=440:sample_rate=48000")))
        return false;
    return authorDvd(dir, QStringLiteral("pal"),
                     QStringLiteral("<titleset><titles><video format=\"pal\" aspect=\"4:3\"/><pgc><vob file=\"%1\"/>"
                                    "</pgc></titles></titleset>")
                         .arg(mpg));
}

// Frames of a video at `fps`, each scaled to w x h grey bytes, decoded by ffmpeg.
QList<QByteArray> GreyFrames(const QString &path, const QString &fps, int w, int h, int frames = 0)
{
    QProcess ffmpeg;
    QStringList args{"-nostdin", "-loglevel", "error", "-i", path, "-vf",
                     QString("fps=%1,scale=%2:%3,format=gray").arg(fps).arg(w).arg(h)};
    if (frames > 0)
        args << "-frames:v" << QString::number(frames);
    ffmpeg.start(QStringLiteral("ffmpeg"), args << "-f" << "rawvideo" << "-");
    ffmpeg.waitForFinished(60000);
    const QByteArray all = ffmpeg.readAllStandardOutput();
    QList<QByteArray> out;
    for (qsizetype at = 0; at + w * h <= all.size(); at += w * h)
        out << all.mid(at, w * h);
    return out;
}

double MeanLevel(const QByteArray &grey)
{
    qint64 sum = 0;
    for (char c : grey)
        sum += uchar(c);
    return grey.isEmpty() ? -1 : double(sum) / grey.size();
}

QByteArray Grey(const QImage &image, int w, int h)
{
    const QImage small = image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_Grayscale8);
    QByteArray out;
    for (int y = 0; y < h; ++y)
        out.append(reinterpret_cast<const char *>(small.constScanLine(y)), w);
    return out;
}

double Difference(const QByteArray &a, const QByteArray &b)
{
    qint64 sum = 0;
    for (qsizetype i = 0; i < a.size() && i < b.size(); ++i)
        sum += std::abs(int(uchar(a[i])) - int(uchar(b[i])));
    return double(sum) / std::max<qsizetype>(1, a.size());
}

enum class Rows { File, Dvd };

struct Kind {
    const char *name;
    Rows rows;
    int seconds;           // the previewed row's length
    const char *playingStatus; // the row's status text while it plays
};

void PrintTo(const Kind &kind, std::ostream *out)
{
    *out << kind.name;
}

const Kind kKinds[] = {
    {"FileRow", Rows::File, kClipSeconds, "Play"},
    {"DvdRow", Rows::Dvd, kTitleSeconds, "play"},
};

class PreviewWindow : public testing::Test, protected RealProgram {
protected:
    static void SetUpTestSuite()
    {
        s_media = new QTemporaryDir;
        s_clip = s_media->filePath(QStringLiteral("steps.mp4"));
        s_disc = s_media->filePath(QStringLiteral("Ein Film"));
        s_short = s_media->filePath(QStringLiteral("short.mp4"));
        s_song = s_media->filePath(QStringLiteral("song.mp3"));
        s_stepsDisc = s_media->filePath(QStringLiteral("Steps"));
        const QString steps = StepsSource(QStringLiteral("160x120"));
        const QStringList h264{"-c:v", "libx264", "-preset", "ultrafast", "-g", "25", "-c:a", "aac"};
        s_made = makeClip(s_clip, kClipSeconds, h264, steps) && makeClip(s_short, kShortSeconds, h264, steps) &&
                 makeClip(s_song, 8, {"-c:a", "libmp3lame"}, {}, QStringLiteral("sine=frequency=440")) &&
                 makeDvdFixture(s_disc) && MakeStepsDvd(s_stepsDisc, kStepsTitleSeconds);
    }
    static void TearDownTestSuite() { delete s_media; }

    void SetUp() override
    {
        ASSERT_TRUE(s_made);
        PrivateDisplayApp();
        makeProgram();
        ASSERT_NO_FATAL_FAILURE(showWindowForQuickOutputs(output.path()));
        // As the hint window's check box leaves it: no modal hint before each file preview.
        window().skinIni().WriteBool("play", "hint", false);
    }
    void TearDown() override { endProgram(); }

    const SourceList &list() { return window().sourceList(); }
    PreviewControl &preview() { return window().preview(); }
    QString playTime() { return window().binding().play_time.getText(); }
    int shownSeconds() { return HmsToSeconds(playTime()); }
    QString status(int row = 0) { return list().row(row).subItems[SourceRow::Status]; }
    QString messages() { return dialogs.texts().join("\n"); }

    QPoint centre(const char *object) { return SkinObjectCentre(window(), object); }
    void clickObject(const char *object) { ClickObject(window(), object); }
    // Pressed and released on the play bar at a share of its width; the second it then names.
    int releasePlayBarAt(double share, int rowSeconds)
    {
        const QRect bar = window().binding().play_bar.rect().toQRect();
        const QPoint at(bar.left() + int(share * bar.width()), bar.center().y());
        QTest::mousePress(&window(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, at);
        return MulDiv(window().binding().play_bar.position(), rowSeconds, 10000);
    }
    // Where the DVD player is in the previewed title, from the sector it reads.
    double dvdPlayerSecond()
    {
        const TConvertInfo dvd = list().convertInfo().value(window().disc().PreviewRow);
        int32_t sector = -1;
        preview().dvdPlayer().GetBeginLBA(&sector);
        const int32_t first = dvd.startSector - dvd.leadSectors;
        return double(sector - first) / (dvd.endSector - first) * double(dvd.length);
    }
    QString skinText(const char *object) { return window().binding().find(object)->getText(); }
    QString picture(const QString &name) { return output.filePath(name + ".bmp"); }
    void press(const char *button)
    {
        auto *b = window().findChild<QWidget *>(QString::fromLatin1(button));
        ASSERT_TRUE(b) << button;
        ASSERT_TRUE(b->isEnabled()) << button;
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }

    // Files, or a DVD folder, through the window's own commands; row 0 then clicked.
    void addRows(Rows rows, const QStringList &sources = {})
    {
        if (rows == Rows::File) {
            dialogs.fileChoices << (sources.isEmpty() ? QStringList{s_clip} : sources);
            clickObject("openfiles");
        } else {
            dialogs.folderChoices << (sources.isEmpty() ? s_disc : sources[0]);
            clickObject("dvdopen");
        }
        ASSERT_GT(list().rowCount(), 0) << messages().toStdString();
        selectFirstRow();
    }
    void selectFirstRow()
    {
        clickRow(0);
        ASSERT_EQ(list().selectedRow(), 0);
    }
    // The total, begin and end the panel shows.
    QStringList panelTimes() { return {skinText("alltime"), skinText("begin_time"), skinText("End_time")}; }
    // A file row's snapshot is an encoder job: its picture, once the job has ended.
    QImage snapshotTaken(const QString &path)
    {
        EXPECT_TRUE(waitUntil([&] { return encoders.running() == 0 && QFileInfo::exists(path); }, 30000))
            << path.toStdString();
        return QImage(path);
    }
    // Play pressed, up to the first picture: the player's first event shows the play bar.
    void play()
    {
        press("bt_play");
        ASSERT_TRUE(window().state().previewing) << messages().toStdString();
        ASSERT_TRUE(waitUntil([&] { return window().binding().play_bar.frame->IsVisible(); }, 10000))
            << messages().toStdString();
    }
    void waitForShown(int seconds)
    {
        ASSERT_TRUE(waitUntil([&] { return shownSeconds() >= seconds; }, 30000)) << playTime().toStdString();
        ASSERT_EQ(shownSeconds(), seconds) << "the clock skipped a second";
    }
    void expectEnded()
    {
        EXPECT_FALSE(window().state().previewing);
        EXPECT_EQ(status(), "Stop");
        EXPECT_EQ(playTime(), "00:00:00");
        EXPECT_FALSE(window().findChild<QWidget *>("pl_play")->isVisible());
        EXPECT_TRUE(waitUntil([&] { return !preview().workerRunning(); }, 3000)) << "the player's thread ended";
    }
    // The second of the DVD title whose frame is nearest to a picture, among all of ffmpeg's own.
    double titleSecondOf(const QImage &image)
    {
        const QList<QByteArray> frames = GreyFrames(QDir(s_disc).filePath("VIDEO_TS/VTS_01_1.VOB"), "25", 90, 72);
        EXPECT_GE(frames.size(), 25 * kTitleSeconds - 5);
        const QByteArray grey = Grey(image, 90, 72);
        int best = 0;
        for (int i = 1; i < frames.size(); ++i)
            if (Difference(frames[i], grey) < Difference(frames[best], grey))
                best = i;
        return best / 25.0;
    }
    // The mean grey level of what the screen shows inside pl_play.
    double panelLevel()
    {
        auto *panel = window().findChild<QWidget *>("pl_play");
        const QPoint at = panel->mapToGlobal(QPoint(0, 0));
        const QImage shot =
            QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), panel->width(), panel->height()).toImage();
        return MeanLevel(Grey(shot, 64, 48));
    }

    static QTemporaryDir *s_media;
    static QString s_clip, s_short, s_song, s_disc, s_stepsDisc;
    static bool s_made;

    QTemporaryDir output;
};

QTemporaryDir *PreviewWindow::s_media = nullptr;
QString PreviewWindow::s_clip, PreviewWindow::s_short, PreviewWindow::s_song, PreviewWindow::s_disc,
    PreviewWindow::s_stepsDisc;
bool PreviewWindow::s_made = false;

class PreviewRows : public PreviewWindow, public testing::WithParamInterface<Kind> {};

TEST_P(PreviewRows, PlaysPausesFollowsThePlayBarAndStops)
{
    const Kind kind = GetParam();
    addRows(kind.rows);
    play();
    EXPECT_EQ(status(), kind.playingStatus);
    EXPECT_TRUE(window().findChild<QWidget *>("pl_play")->isVisible());

    QTest::qWait(2000);
    EXPECT_TRUE(playTime() == "00:00:01" || playTime() == "00:00:02") << playTime().toStdString();
    // The video is drawn inside pl_play: the panel shows the clip's brightness of the moment.
    if (kind.rows == Rows::File) {
        EXPECT_TRUE(PlaysSecond(panelLevel(), 1, 3)) << panelLevel();
    }

    clickObject("pause");
    EXPECT_EQ(status(), "Pause");
    const QString paused = playTime();
    QTest::qWait(2200);
    EXPECT_EQ(playTime(), paused) << "a paused preview stands still";
    clickObject("pause");
    EXPECT_EQ(status(), "Play");

    // Pressed and released in the middle of the play bar: half the row.
    const QPoint middle = centre("play_bar");
    QTest::mousePress(&window(), Qt::LeftButton, {}, middle);
    QTest::mouseRelease(&window(), Qt::LeftButton, {}, middle);
    const int half = kind.seconds / 2;
    EXPECT_TRUE(waitUntil([&] { return shownSeconds() >= half; }, 5000)) << playTime().toStdString();
    EXPECT_LE(shownSeconds(), half + 2) << playTime().toStdString();
    EXPECT_TRUE(window().state().previewing);
    // The time shows at the release; the picture follows as the player gets there.
    if (kind.rows == Rows::File) {
        EXPECT_TRUE(waitUntil([&] { return PlaysSecond(panelLevel(), half, half + 2); }, 5000)) << panelLevel();
    }

    clickObject("stop");
    expectEnded();
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

TEST_P(PreviewRows, CutMarksAtTwoAndFiveSecondsGiveAThreeSecondOutput)
{
    const Kind kind = GetParam();
    addRows(kind.rows);
    play();
    waitForShown(2);
    press("bt_begin");
    waitForShown(5);
    press("bt_end");
    EXPECT_EQ(window().binding().find("begin_time")->getText(), "00:00:02");
    EXPECT_EQ(window().binding().find("End_time")->getText(), "00:00:05");
    EXPECT_EQ(list().row(0).subItems[SourceRow::ConversionTime], "00:00:03");
    clickObject("stop");
    expectEnded();

    // Only the marked row is converted.
    for (int i = 1; i < list().rowCount(); ++i)
        window().sourceList().setChecked(i, false);
    clickObject("converter");
    ASSERT_TRUE(window().state().converting) << messages().toStdString();
    ASSERT_TRUE(waitUntil([&] { return !window().state().converting; }, 120000));
    const QStringList outputs = QDir(output.path()).entryList(QDir::Files);
    ASSERT_EQ(outputs.size(), 1) << outputs.join(", ").toStdString();
    const QString out = output.filePath(outputs[0]);
    EXPECT_NEAR(durationOf(out), 3.0, kind.rows == Rows::File ? 0.3 : 0.7);
    if (kind.rows == Rows::File) {
        const QList<QByteArray> first = GreyFrames(out, "25", 32, 24, 1);
        ASSERT_EQ(first.size(), 1);
        EXPECT_NEAR(MeanLevel(first[0]), ClipLevel(2), 6) << "the output starts with second 2";

        // A snapshot after that run is a picture job of its own, not a 3-s part cut short.
        play();
        press("bt_images");
        EXPECT_FALSE(snapshotTaken(picture(list().row(0).caption)).isNull());
        EXPECT_EQ(status(), "Play") << "the row plays on";
        EXPECT_TRUE(list().row(0).note.isEmpty()) << list().row(0).note.toStdString();
        clickObject("stop");
    } else {
        // The clock keeps to the picture, so the marked sectors start where the marked second is.
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", {"-nostdin", "-loglevel", "error", "-i", out, "-frames:v", "1", "-f", "image2pipe",
                                "-c:v", "bmp", "-"});
        ASSERT_TRUE(ffmpeg.waitForFinished(60000));
        const QImage first = QImage::fromData(ffmpeg.readAllStandardOutput(), "BMP");
        ASSERT_FALSE(first.isNull());
        const double second = titleSecondOf(first);
        EXPECT_NEAR(second, 2.0, 1.0) << "the output starts at second " << second;
    }
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

TEST_P(PreviewRows, SnapshotIsABitmapOfTheFrameAtThePositionShown)
{
    const Kind kind = GetParam();
    addRows(kind.rows);
    play();
    waitForShown(3);
    clickObject("pause");
    const int shown = shownSeconds();
    press("bt_images");
    const QString caption = list().row(0).caption;
    const QString picture = output.filePath(caption + ".bmp");
    // A file row's picture comes from an encoder job that runs on its own.
    ASSERT_TRUE(waitUntil([&] { return !QImage(picture).isNull(); }, 30000))
        << QDir(output.path()).entryList(QDir::Files).join(", ").toStdString() << messages().toStdString();
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), "BM");
    QString kindText;
    runProgram(QStringLiteral("file"), {"-b", picture}, &kindText);
    EXPECT_TRUE(kindText.contains("PC bitmap")) << kindText.toStdString();

    const QImage image(picture);
    if (kind.rows == Rows::File) {
        EXPECT_NEAR(MeanLevel(Grey(image, 32, 24)), ClipLevel(shown), 6) << "second " << shown;
    } else {
        const double second = titleSecondOf(image);
        EXPECT_NEAR(second, shown, 1.0) << "the picture shows second " << second;
    }
    // A second snapshot never overwrites the first.
    press("bt_images");
    EXPECT_TRUE(waitUntil([&] { return !QImage(output.filePath(caption + "_1.bmp")).isNull(); }, 30000));
    clickObject("stop");
    expectEnded();
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

TEST_P(PreviewRows, ClosingTheWindowDuringAPreviewEndsThePlayer)
{
    addRows(GetParam().rows);
    play();
    window().close();
    EXPECT_FALSE(window().state().previewing);
    EXPECT_FALSE(preview().workerRunning()) << "the player's thread was joined";
}

// Moved with the play bar while paused, the time shown, the picture, the
// marks and the snapshot all follow to the new place.
TEST_F(PreviewWindow, APausedFileMovedWithThePlayBarShowsAndMarksTheNewPlace)
{
    addRows(Rows::File);
    play();
    waitForShown(3);
    clickObject("pause");
    int second = 0;
    for (double share : {0.6, 0.1, 0.85}) {
        second = releasePlayBarAt(share, kClipSeconds);
        SCOPED_TRACE(second);
        EXPECT_EQ(playTime(), SecondsToHms(second));
        EXPECT_TRUE(waitUntil([&] { return PlaysSecond(panelLevel(), second, second); }, 5000)) << panelLevel();
        EXPECT_EQ(status(), "Pause");
    }
    press("bt_begin");
    EXPECT_EQ(skinText("begin_time"), SecondsToHms(second));
    EXPECT_EQ(list().clipRanges()[0].clipBegin, second);
    press("bt_images");
    // Read once its job has ended: a picture still being written reads dark.
    const QImage shot = snapshotTaken(picture(list().row(0).caption));
    EXPECT_NEAR(MeanLevel(Grey(shot, 32, 24)), ClipLevel(second), 6) << "the snapshot of second " << second;
    EXPECT_EQ(status(), "Pause");
    clickObject("stop");
    expectEnded();
}

// Marks set in any order are taken; a part whose end is not after its begin
// is refused where it is used, and nothing is written.
TEST_F(PreviewWindow, MarksOutOfOrderAreTakenAndRefusedWhenUsed)
{
    addRows(Rows::File);
    play();
    waitForShown(3);
    press("bt_end");
    waitForShown(5);
    press("bt_begin");
    EXPECT_EQ(skinText("End_time"), "00:00:03");
    EXPECT_EQ(skinText("begin_time"), "00:00:05");
    EXPECT_EQ(list().clipRanges()[0].clipEnd, 3);
    EXPECT_EQ(list().clipRanges()[0].clipBegin, 5);
    EXPECT_EQ(list().row(0).subItems[SourceRow::ConversionTime], "00:00:00");
    EXPECT_TRUE(dialogs.shown.isEmpty()) << messages().toStdString();

    press("bt_images");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(messages().contains("must come after its begin")) << messages().toStdString();
    clickObject("stop");
    expectEnded();
    clickObject("converter");
    EXPECT_FALSE(window().state().converting);
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.texts().last().endsWith(list().row(0).caption)) << messages().toStdString();
    QTest::qWait(500);
    EXPECT_TRUE(QDir(output.path()).entryList(QDir::Files).isEmpty()) << "no picture and no output";
}

// The DVD time keeps to the picture through pauses: the sector the player
// reads and the second shown (what the cut marks take) agree within a second.
TEST_F(PreviewWindow, TheDvdTimeKeepsToThePictureThroughPauses)
{
    addRows(Rows::Dvd);
    play();
    for (int second = 1; second <= 4; ++second) {
        waitForShown(second);
        QTest::qWait(650);
        clickObject("pause");
        QTest::qWait(200);
        clickObject("pause");
    }
    waitForShown(6);
    const double at = dvdPlayerSecond();
    EXPECT_NEAR(at, 6.0, 1.0) << "the player is at second " << at << " while 6 is shown";
    clickObject("stop");
    expectEnded();
}

// While a preview plays, every skin button that would change the list is
// drawn off and does nothing; once the list changes, the times and streams
// shown are those of its current row.
TEST_F(PreviewWindow, TheListStaysWhileAPreviewPlaysAndShowsItsCurrentRowAfterAChange)
{
    addRows(Rows::Dvd);
    ASSERT_GT(window().findChild<QComboBox *>("cb_audio")->count(), 0);
    const int rows = list().rowCount();
    play();
    dialogs.fileChoices << QStringList{s_clip} << QStringList{s_clip};
    dialogs.folderChoices << s_media->path() << s_disc;
    for (const char *object : {"openfiles", "openfolder", "dvdopen", "ifoopen", "remove", "clear"}) {
        SCOPED_TRACE(object);
        dialogs.shown.clear();
        ISkinObject *o = window().skin().GetWindowObject(&window())->FindChildObject(object);
        ASSERT_TRUE(o);
        EXPECT_FALSE(o->FrameFacet()->IsEnabled());
        clickObject(object);
        EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.texts().join("\n").toStdString();
        EXPECT_EQ(list().rowCount(), rows);
        EXPECT_TRUE(window().state().previewing);
    }
    EXPECT_EQ(dialogs.fileChoices.size(), 2) << "no dialog was opened";
    EXPECT_EQ(dialogs.folderChoices.size(), 2);
    clickObject("stop");
    expectEnded();
    dialogs.fileChoices.clear();
    dialogs.folderChoices.clear();

    // File rows replace the DVD's (through Add Folder: Add Files is off beside
    // DVD rows): no DVD stream stays on offer.
    QTemporaryDir clipFolder;
    ASSERT_TRUE(QFile::link(s_clip, clipFolder.filePath(QStringLiteral("steps.mp4"))));
    dialogs.folderChoices << clipFolder.path();
    clickObject("openfolder");
    ASSERT_EQ(list().rowCount(), 1) << messages().toStdString();
    ASSERT_NO_FATAL_FAILURE(selectFirstRow());
    EXPECT_EQ(window().findChild<QComboBox *>("cb_audio")->count(), 0);
    EXPECT_EQ(window().findChild<QComboBox *>("cb_subtitle")->count(), 0);
    EXPECT_EQ(skinText("alltime"), "00:00:10");
    EXPECT_EQ(skinText("End_time"), "00:00:10");
    clickObject("remove");
    EXPECT_EQ(list().rowCount(), 0);
    for (const char *object : {"alltime", "begin_time", "End_time"})
        EXPECT_EQ(skinText(object), "00:00:00") << object;
}

// A title whose first cell is long: a rip enters it past its first sectors,
// the preview shows it from its first picture, and the second shown is the
// second on the picture all along.
TEST_F(PreviewWindow, TheDvdClockShowsThePicturesOwnSecondFromItsFirstPicture)
{
    addRows(Rows::Dvd, {s_stepsDisc});
    ASSERT_GT(list().convertInfo()[0].leadSectors, 0) << "a rip skips the title's first sectors";
    play();
    double first = -1;
    ASSERT_TRUE(waitUntil([&] { return (first = panelLevel()) > 10; }, 5000)) << "a picture is drawn";
    EXPECT_EQ(SecondOfLevel(first), 0) << "the first picture, level " << first;
    EXPECT_EQ(playTime(), "00:00:00");

    // Within half a second: the second on the picture and the one shown agree
    // most of the time, and never differ by more than one.
    int samples = 0, agreeing = 0, furthest = 0;
    QElapsedTimer since;
    since.start();
    while (since.elapsed() < 5000) {
        const int shown = shownSeconds();
        const int pictured = SecondOfLevel(panelLevel());
        if (shown == shownSeconds()) {
            ++samples;
            agreeing += pictured == shown;
            furthest = std::max(furthest, std::abs(pictured - shown));
        }
        QTest::qWait(100);
    }
    EXPECT_LE(furthest, 1);
    EXPECT_GT(agreeing * 10, samples * 6) << agreeing << " of " << samples << " samples agree";
    clickObject("stop");
    expectEnded();
}

// While a preview plays, the panel is the previewed row's, whatever row is
// clicked; once it stops, and on every click, it is the selected row's.
TEST_F(PreviewWindow, ThePanelShowsThePlayingRowThenTheSelectedOne)
{
    addRows(Rows::File, {s_clip, s_short});
    ASSERT_EQ(list().rowCount(), 2);
    const QStringList longRow{"00:00:10", "00:00:00", "00:00:10"};
    const QStringList shortRow{"00:00:06", "00:00:00", "00:00:06"};
    EXPECT_EQ(panelTimes(), longRow);
    play();
    clickRow(1);
    ASSERT_EQ(list().selectedRow(), 1);
    waitForShown(2);
    press("bt_begin");
    waitForShown(4);
    press("bt_end");
    const QStringList marked{"00:00:10", "00:00:02", "00:00:04"};
    EXPECT_EQ(panelTimes(), marked) << "the previewed row's total and marks";
    EXPECT_EQ(list().clipRanges()[0].clipBegin, 2);
    EXPECT_EQ(list().clipRanges()[1].clipBegin, 0) << "the clicked row keeps its marks";
    clickObject("stop");
    expectEnded();
    EXPECT_EQ(panelTimes(), shortRow) << "the selected row's";

    const struct {
        int row;
        QStringList times;
    } clicks[] = {{1, shortRow}, {0, marked}, {0, marked}, {1, shortRow}};
    for (const auto &click : clicks) {
        clickRow(click.row);
        EXPECT_EQ(panelTimes(), click.times) << "row " << click.row;
    }
    play();
    EXPECT_EQ(window().disc().PreviewRow, 1);
    EXPECT_EQ(panelTimes(), shortRow) << "the previewed row's total";
    clickObject("stop");
    expectEnded();

    // A run leaves the panel as it was; a click on the selected row shows it again.
    window().sourceList().setChecked(0, false);
    clickObject("converter");
    ASSERT_TRUE(window().state().converting) << messages().toStdString();
    clickRow(0);
    ASSERT_TRUE(waitUntil([&] { return !window().state().converting; }, 60000));
    EXPECT_EQ(panelTimes(), shortRow);
    clickRow(0);
    EXPECT_EQ(panelTimes(), marked);
}

// A folder without a DVD title leaves no streams or times of the rows that were there.
TEST_F(PreviewWindow, AFolderWithoutADvdEmptiesTheStreamsAndTimes)
{
    addRows(Rows::Dvd);
    ASSERT_GT(window().findChild<QComboBox *>("cb_audio")->count(), 0);
    dialogs.folderChoices << output.path();
    clickObject("dvdopen");
    EXPECT_TRUE(messages().contains("Not found DVD movies in this folder")) << messages().toStdString();
    EXPECT_EQ(list().rowCount(), 0);
    EXPECT_EQ(window().findChild<QComboBox *>("cb_audio")->count(), 0);
    EXPECT_EQ(window().findChild<QComboBox *>("cb_subtitle")->count(), 0);
    EXPECT_EQ(panelTimes(), (QStringList{"00:00:00", "00:00:00", "00:00:00"}));
}

// Paused at the very end, the snapshot is the last frame on screen, and the
// row shows the preview's status, not the snapshot job's.
TEST_F(PreviewWindow, ASnapshotAtTheEndIsTheLastFrame)
{
    addRows(Rows::File);
    play();
    waitForShown(1);
    clickObject("pause");
    EXPECT_EQ(releasePlayBarAt(0.999, kClipSeconds), kClipSeconds) << "the bar's end";
    EXPECT_EQ(playTime(), "00:00:10");
    EXPECT_TRUE(waitUntil([&] { return PlaysSecond(panelLevel(), kClipSeconds - 1, kClipSeconds - 1); }, 5000))
        << panelLevel();
    press("bt_images");
    const QImage shot = snapshotTaken(picture(list().row(0).caption));
    ASSERT_FALSE(shot.isNull()) << list().row(0).note.toStdString();
    EXPECT_NEAR(MeanLevel(Grey(shot, 32, 24)), ClipLevel(kClipSeconds - 1), 6) << "the last second";
    EXPECT_EQ(status(), "Pause");
    EXPECT_TRUE(dialogs.shown.isEmpty()) << messages().toStdString();
    clickObject("stop");
    expectEnded();
}

// A row without pictures is refused before anything starts; a snapshot that
// fails says why on its row and in the log, and the row plays on.
TEST_F(PreviewWindow, ASnapshotThatCannotBeTakenSaysWhy)
{
    addRows(Rows::File, {s_song});
    play();
    press("bt_images");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(messages().contains("no picture")) << messages().toStdString();
    EXPECT_TRUE(messages().endsWith(list().row(0).caption)) << messages().toStdString();
    EXPECT_EQ(encoders.running(), 0);
    EXPECT_EQ(status(), "Play");
    clickObject("stop");
    expectEnded();
    dialogs.answers << true;
    window().ClearSourceList();

    // The output folder cannot be made: a file stands in its way.
    QFile blocker(output.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    window().settings().ed_output = output.filePath("blocker/shots");
    for (const Kind &kind : kKinds) {
        SCOPED_TRACE(kind.name);
        addRows(kind.rows);
        play();
        waitForShown(1);
        press("bt_images");
        ASSERT_TRUE(waitUntil([&] { return encoders.running() == 0 && !list().row(0).note.isEmpty(); }, 30000));
        EXPECT_EQ(status(), kind.playingStatus) << "the row plays on";
        EXPECT_EQ(listView()->topLevelItem(0)->toolTip(4), list().row(0).note);
        QFile log(window().state().conversionLog);
        ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << log.fileName().toStdString();
        EXPECT_TRUE(log.readAll().contains(list().row(0).note.toUtf8())) << "the reason is in the log";
        clickObject("stop");
        expectEnded();
        // Add DVD is off beside file rows: the next kind starts from an empty list.
        dialogs.answers << true;
        window().ClearSourceList();
    }
}

// Resident memory of the program: what the kernel counts for it.
qint64 ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    return -1;
}

// An 8K picture is tens of MB: a preview's decoded pictures go back to the
// system when it ends, also after a second one.
TEST_F(PreviewWindow, An8KPreviewGivesItsMemoryBackWhenItEnds)
{
    const QString clip = output.filePath("eight.mp4");
    ASSERT_TRUE(makeClip(clip, 1, {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"},
                         QStringLiteral("color=c=gray:size=7680x4320:rate=5")));
    addRows(Rows::File, {clip});
    const qint64 before = ResidentMegabytes();
    qint64 peak = 0;
    for (int run = 0; run < 2; ++run) {
        press("bt_play");
        ASSERT_TRUE(waitUntil(
            [&] {
                peak = std::max(peak, ResidentMegabytes());
                return !window().state().previewing && !preview().workerRunning();
            },
            30000));
    }
    QTest::qWait(300);
    const qint64 after = ResidentMegabytes();
    std::printf("resident: %lld MB before, %lld MB at the peak, %lld MB after two 8K previews\n", before, peak, after);
    EXPECT_LT(after - before, 150) << before << " MB before, " << after << " MB after";
}

INSTANTIATE_TEST_SUITE_P(Rows, PreviewRows, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<Kind> &info) { return std::string(info.param.name); });

// A file the player cannot read, before or while it plays: the preview ends
// with a message and the window is free again.
struct BadFile {
    const char *name;
    bool whilePlaying;
    const char *why;
};

const BadFile kBadFiles[] = {
    {"Unreadable", false, "The preview could not go on:"},
    {"RemovedWhilePlaying", true, "has been removed"},
};

TEST_F(PreviewWindow, ABadFileEndsThePreviewWithAMessage)
{
    for (const BadFile &bad : kBadFiles) {
        SCOPED_TRACE(bad.name);
        const QString copy = output.filePath(QString("%1.mp4").arg(bad.name));
        ASSERT_TRUE(QFile::copy(s_clip, copy));
        addRows(Rows::File, {copy});
        if (bad.whilePlaying) {
            play();
            ASSERT_TRUE(QFile::remove(copy));
        } else {
            QFile garbage(copy);
            ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
            garbage.write(QByteArray(64 * 1024, 'x'));
            garbage.close();
            press("bt_play");
        }
        ASSERT_TRUE(waitUntil([&] { return !window().state().previewing; }, 5000)) << playTime().toStdString();
        expectEnded();
        EXPECT_TRUE(waitUntil([&] { return messages().contains(bad.why); }, 3000)) << messages().toStdString();
        dialogs.answers << true;
        window().ClearSourceList();
        ASSERT_EQ(list().rowCount(), 0);
    }
}

} // namespace
