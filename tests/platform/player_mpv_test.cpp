// The two preview players over the real libmpv, headless (no window: no
// video or sound output), on real media: a short clip made with lavfi and a
// real DVD folder made with dvdauthor.

#include "platform/player/dvd_sector_stream.h"
#include "platform/player/mpv_preview_players.h"
#include "platform/player/vts_location.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using namespace ravenmoor::test;
using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()> &done, std::chrono::milliseconds timeout)
{
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// Every event a player reported, as its own thread delivered it.
struct Recorder {
    std::mutex mutex;
    std::vector<double> stamps;
    std::atomic<int> started{0};

    std::function<void(double)> stampEvent()
    {
        return [this](double stamp) {
            const std::lock_guard lock(mutex);
            stamps.push_back(stamp);
        };
    }
    std::function<void()> startEvent()
    {
        return [this] { ++started; };
    }
    double lastStamp()
    {
        const std::lock_guard lock(mutex);
        return stamps.empty() ? -1 : stamps.back();
    }
    double firstPositiveStamp()
    {
        const std::lock_guard lock(mutex);
        for (double s : stamps)
            if (s > 0)
                return s;
        return -1;
    }
};

class Media : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_clip = s_dir->filePath("clip.mp4");
        s_clipMade = makeClip(s_clip, 3, {"-c:v", "libx264", "-preset", "ultrafast", "-g", "12"});
        s_disc = s_dir->filePath("A Disc ü");
        s_discMade = makeDvdFixture(s_disc, 3);
    }
    static void TearDownTestSuite() { delete s_dir; }

    // The address of title set 1's title: its whole VOB.
    static QString titleAddress(const char *audio = "0x80", const char *subtitle = "0")
    {
        const qint64 sectors = QFileInfo(s_disc + "/VIDEO_TS/VTS_01_1.VOB").size() / 2048;
        return QString("vts://01*0*%1*%2*%3*%4").arg(sectors - 1).arg(audio, subtitle, s_disc);
    }

    static QTemporaryDir *s_dir;
    static QString s_clip, s_disc;
    static bool s_clipMade, s_discMade;
};

QTemporaryDir *Media::s_dir = nullptr;
QString Media::s_clip, Media::s_disc;
bool Media::s_clipMade = false, Media::s_discMade = false;

TEST(VtsLocation, AddressesAreReadFieldByField)
{
    const auto full = ParseVtsLocation("vts://02*1200*5400*0x81*0x20*/media/My Disc *1");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->titleSet, 2);
    EXPECT_EQ(full->startSector, 1200);
    EXPECT_EQ(full->endSector, 5400);
    EXPECT_EQ(full->sectorCount(), 4201);
    EXPECT_EQ(full->audioId, 0x81);
    EXPECT_EQ(full->subtitleId, 0x20);
    EXPECT_EQ(full->folder, "/media/My Disc *1");

    const auto none = ParseVtsLocation("vts://01*0*0*0*0*/d");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->audioId, 0);
    EXPECT_EQ(none->subtitleId, 0);
    EXPECT_EQ(none->sectorCount(), 1);

    for (const char *bad : {"file:///a", "vts://01*0*10*0x80*/d", "vts://00*0*10*0x80*0*/d", "vts://01*10*9*0x80*0*/d",
                            "vts://01*-1*9*0x80*0*/d", "vts://01*0*9*0xzz*0*/d", "vts://xx*0*9*0x80*0*/d"})
        EXPECT_FALSE(ParseVtsLocation(bad)) << bad;
}

TEST_F(Media, TheSectorStreamGivesTheRangeOfTheTitleVobs)
{
    ASSERT_TRUE(s_discMade);
    QFile vob(s_disc + "/VIDEO_TS/VTS_01_1.VOB");
    ASSERT_TRUE(vob.open(QIODevice::ReadOnly));
    const QByteArray whole = vob.readAll();
    const auto location = ParseVtsLocation(QString("vts://01*100*299*0x80*0*%1").arg(s_disc));
    ASSERT_TRUE(location);
    DvdSectorStream stream(*location);
    EXPECT_EQ(stream.size(), 200 * 2048);

    // Odd read sizes across chunk borders and a seek back give the file's bytes.
    QByteArray read;
    std::vector<char> buffer(3001);
    for (int64_t n; (n = stream.read(buffer.data(), buffer.size())) > 0;)
        read.append(buffer.data(), n);
    EXPECT_EQ(read, whole.mid(100 * 2048, 200 * 2048));
    EXPECT_EQ(stream.read(buffer.data(), buffer.size()), 0);
    EXPECT_EQ(stream.seek(150 * 2048 + 7), 150 * 2048 + 7);
    ASSERT_EQ(stream.read(buffer.data(), 4), 4);
    EXPECT_EQ(QByteArray(buffer.data(), 4), whole.mid((100 + 150) * 2048 + 7, 4)) << "offsets count from the range's start";
    EXPECT_EQ(stream.seek(stream.size() + 1), -1);

    // A range past the title set fails at once, saying where.
    const auto beyond = ParseVtsLocation(QString("vts://01*%1*%2*0x80*0*%3")
                                             .arg(whole.size() / 2048 + 10)
                                             .arg(whole.size() / 2048 + 20)
                                             .arg(s_disc));
    try {
        DvdSectorStream unreadable(*beyond);
        ADD_FAILURE() << "a range past the title set opened";
    } catch (const DvdStreamError &e) {
        EXPECT_TRUE(QString(e.what()).contains("cannot be read")) << e.what();
    }
    EXPECT_THROW(DvdSectorStream(*ParseVtsLocation(QString("vts://01*0*10*0x80*0*%1/none").arg(s_disc))),
                 DvdStreamError);
}

TEST_F(Media, AFilePlaysToItsEndWithRisingStampsAndFromAStartStamp)
{
    ASSERT_TRUE(s_clipMade);
    auto player = MakeMpvFilePreviewPlayer();
    Recorder events;
    player->SetEventFuntion(events.stampEvent());
    player->InitPreviewWindow({});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(player->Play(s_clip, 0), "");
    EXPECT_GT(clock.elapsed(), 2500) << "played, not skipped";
    EXPECT_LT(clock.elapsed(), 6000);
    EXPECT_GT(events.lastStamp(), 2.5);
    EXPECT_LT(events.firstPositiveStamp(), 0.5);

    Recorder later;
    player->SetEventFuntion(later.stampEvent());
    player->InitPreviewWindow({});
    EXPECT_EQ(player->Play(s_clip, 2), "");
    EXPECT_NEAR(later.firstPositiveStamp(), 2.0, 0.1) << "starts at the stamp given";
}

TEST_F(Media, StopEndsPlayAndAStopBeforePlayIsKeptUntilTheNextWindow)
{
    ASSERT_TRUE(s_clipMade);
    auto player = MakeMpvFilePreviewPlayer();
    Recorder events;
    player->SetEventFuntion(events.stampEvent());
    player->InitPreviewWindow({});
    auto play = std::async(std::launch::async, [&] { return player->Play(s_clip, 0); });
    ASSERT_TRUE(WaitFor([&] { return events.lastStamp() > 0.2; }, 3s));

    // Paused, the stamp stands still; resumed, it moves on.
    player->Pause();
    std::this_thread::sleep_for(200ms);
    const double paused = events.lastStamp();
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(events.lastStamp(), paused);
    player->Pause();
    EXPECT_TRUE(WaitFor([&] { return events.lastStamp() > paused + 0.1; }, 2s));

    // A seek moves the stamps there.
    player->Seek(2.5);
    EXPECT_TRUE(WaitFor([&] { return events.lastStamp() >= 2.5; }, 2s));

    QElapsedTimer clock;
    clock.start();
    player->Stop();
    ASSERT_EQ(play.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(play.get(), "");
    EXPECT_LT(clock.elapsed(), 1000);

    // Stopped before its Play began: that Play returns at once.
    player->Stop();
    clock.restart();
    EXPECT_EQ(player->Play(s_clip, 0), "");
    EXPECT_LT(clock.elapsed(), 300);
}

TEST_F(Media, AFileThatCannotBePlayedSaysWhy)
{
    const QString text = s_dir->filePath("not a video.mp4");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    auto player = MakeMpvFilePreviewPlayer();
    for (const QString &path : {text, s_dir->filePath("missing.mp4")}) {
        player->InitPreviewWindow({});
        QElapsedTimer clock;
        clock.start();
        const QString error = player->Play(path, 0);
        EXPECT_TRUE(error.startsWith(QFileInfo(path).fileName() + ": ")) << error.toStdString();
        EXPECT_LT(clock.elapsed(), 2000);
    }

    // Removed while it plays: mpv could read on from the open file, the player ends.
    ASSERT_TRUE(s_clipMade);
    const QString copy = s_dir->filePath("removed.mp4");
    ASSERT_TRUE(QFile::copy(s_clip, copy));
    Recorder events;
    player->SetEventFuntion(events.stampEvent());
    player->InitPreviewWindow({});
    auto play = std::async(std::launch::async, [&] { return player->Play(copy, 0); });
    ASSERT_TRUE(WaitFor([&] { return events.lastStamp() > 0.1; }, 3s));
    ASSERT_TRUE(QFile::remove(copy));
    ASSERT_EQ(play.wait_for(2s), std::future_status::ready) << "ended soon after the removal";
    EXPECT_EQ(play.get(), "removed.mp4: the file has been removed.");
}

TEST_F(Media, ADvdTitlePlaysWithItsSectorsAndSeeksWithinItsLength)
{
    ASSERT_TRUE(s_discMade);
    auto player = MakeMpvDvdPreviewPlayer();
    Recorder events;
    player->SetEventFuntion(events.startEvent());
    player->InitPreviewWindow({});
    const QString address = titleAddress();
    const auto location = ParseVtsLocation(address);
    auto play = std::async(std::launch::async, [&] { return player->Play(address); });
    ASSERT_TRUE(WaitFor([&] { return events.started > 0; }, 3s));

    int32_t first = -2;
    player->GetBeginLBA(&first);
    EXPECT_GE(first, location->startSector);
    std::this_thread::sleep_for(1200ms);
    int32_t later = -2;
    player->GetBeginLBA(&later);
    EXPECT_GT(later, first) << "the sector follows the play";
    EXPECT_LT(later, location->endSector / 4) << "about a second into a 12-s title";
    EXPECT_EQ(events.started, 1) << "one event once playback has started: choosing its streams is no seek";

    EXPECT_LT(player->Seek(13), 0) << "past the title's end";
    EXPECT_LT(player->Seek(-1), 0);
    EXPECT_EQ(player->Seek(9), 0);
    EXPECT_TRUE(WaitFor([&] { return events.started > 1; }, 3s)) << "an event follows the seek";
    int32_t afterSeek = -2;
    player->GetBeginLBA(&afterSeek);
    EXPECT_NEAR(double(afterSeek), location->endSector * 9.0 / 12.0, location->endSector * 0.08);

    const QString picture = s_dir->filePath("frame.bmp");
    ASSERT_TRUE(player->CatchPicture(picture));
    QFile bmp(picture);
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.read(2), "BM");
    EXPECT_EQ(QImage(picture).size(), QSize(768, 576)) << "the PAL frame as shown, at 4:3";

    player->Stop();
    ASSERT_EQ(play.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(play.get(), "");
    player->DestroyPreviewWindow();
    int32_t ended = 0;
    player->GetBeginLBA(&ended);
    EXPECT_LT(ended, 0);
    EXPECT_LT(player->Seek(1), 0);
    EXPECT_FALSE(player->CatchPicture(s_dir->filePath("none.bmp")));
}

TEST_F(Media, TheChosenSubtitleIsShownAndNoneWithoutOne)
{
    ASSERT_TRUE(s_discMade);
    // The fixture's subtitle is a white box in the lower third from 2 s to 4 s.
    const auto boxBrightness = [&](const char *subtitle) {
        auto player = MakeMpvDvdPreviewPlayer();
        Recorder events;
        player->SetEventFuntion(events.startEvent());
        player->InitPreviewWindow({});
        const QString address = titleAddress("0x81", subtitle);
        auto play = std::async(std::launch::async, [&] { return player->Play(address); });
        EXPECT_TRUE(WaitFor([&] { return events.started > 0; }, 3s));
        std::this_thread::sleep_for(2600ms);
        const QString picture = s_dir->filePath(QString("sub%1.bmp").arg(subtitle));
        const bool caught = player->CatchPicture(picture);
        // The subtitle's stream is chosen when its first picture comes: that is no new start.
        EXPECT_EQ(events.started, 1) << subtitle;
        player->Stop();
        play.wait();
        EXPECT_TRUE(caught);
        const QImage image(picture);
        int white = 0;
        for (int y = 440; y < 490; y += 5)
            for (int x = 200; x < 520; x += 8)
                white += qGray(image.pixel(x, y)) > 230;
        return white;
    };
    EXPECT_GT(boxBrightness("0x20"), 300);
    EXPECT_LT(boxBrightness("0"), 100);
}

TEST_F(Media, ADvdRangeThatCannotBeReadEndsPlayAtOnceSayingWhich)
{
    ASSERT_TRUE(s_discMade);
    auto player = MakeMpvDvdPreviewPlayer();
    std::atomic<int> events{0};
    player->SetEventFuntion([&] { ++events; });
    player->InitPreviewWindow({});
    QElapsedTimer clock;
    clock.start();
    const QString error = player->Play(QString("vts://01*900000*900100*0x80*0*%1").arg(s_disc));
    EXPECT_TRUE(error.contains("900000")) << error.toStdString();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(events, 0);
    player->InitPreviewWindow({});
    EXPECT_TRUE(player->Play("vts://nonsense").contains("no DVD address"));
}

} // namespace
