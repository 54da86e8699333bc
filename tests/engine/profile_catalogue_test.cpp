#include "engine/profile_captions.h"
#include "engine/profile_catalogue.h"
#include "engine/profile_number.h"
#include "engine/quality_file.h"
#include "engine/size_estimate.h"
#include "platform/ini/ini_file.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct FakeDisplay : ProfileCaptionDisplay {
    QStringList icons, captions;
    bool failIcons = false;
    void loadCategoryIcon(const QString &path) override
    {
        if (failIcons)
            throw std::runtime_error("Cannot open file " + path.toStdString());
        icons << path;
    }
    void showProfileCaption(const QString &caption) override { captions << caption; }
};

struct Rows : EstimateRows {
    QStringList shown{"", ""};
    int estimateRowCount() const override { return 2; }
    QString sourceFrameSize(int) const override { return "640x480"; }
    QString sourceDuration(int row) const override { return row ? "00:10:00" : "00:01:00"; }
    void setEstimatedSize(int row, const QString &text) override { shown[row] = text; }
};

// Everything a selection may change, to compare before and after a failure.
struct Snapshot {
    int current, applied;
    QString caption, options, jobOptions;
    std::array<QString, 5> rates;
    QStringList sizes, videos, channels;
    int sizeIndex, videoIndex, audioIndex, channelIndex;
    bool sizeEnabled, videoEnabled;
    bool operator==(const Snapshot &) const = default;
};

Snapshot snapshot(const EngineState &s, const SettingsModel &m)
{
    return {s.currentProfile,           s.appliedProfile,          s.profileCaption,
            s.profileOptionString,      s.currentJob.profileOptions, s.videoRateSlots,
            m.cb_size.Items(),          m.cb_videobitrate.Items(), m.cb_channel.Items(),
            m.cb_size.ItemIndex(),      m.cb_videobitrate.ItemIndex(), m.cb_audiobitrate.ItemIndex(),
            m.cb_channel.ItemIndex(),   m.cb_size.Enabled(),       m.cb_videobitrate.Enabled()};
}

class Catalogue : public ::testing::Test {
protected:
    QTemporaryDir dir;
    EngineState state;
    SettingsModel settings;
    FakeDisplay display;
    Rows rows;
    std::unique_ptr<TIniFile> quality;
    ProfileCatalogue catalogue{state, settings, dir.path(), {}, display, rows};

    void SetUp() override
    {
        quality = std::make_unique<TIniFile>(dir.path() + "/pro test.ini");
        catalogue.setQualityFile(quality.get());
    }

    // 131 groups; those not given get five sizes, five rates and " -opt <n> ".
    void writeCatalogue(const QMap<int, QStringList> &groups, const QByteArray &eol = "\n", int lastGroup = 131)
    {
        QByteArray text;
        for (int n = 1; n <= lastGroup; ++n) {
            const QStringList g = groups.value(n, {QString("title %1").arg(n), "320x240 640x480 720x576 1280x720 1920x1080",
                                                   "100 200 300 400 500", QString(" -opt %1 ").arg(n)});
            for (const QString &line : g)
                text += line.toUtf8() + eol;
        }
        QFile f(catalogue.catalogueFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    void useShippedCatalogue()
    {
        QFile::remove(catalogue.catalogueFile());
        ASSERT_TRUE(QFile::copy(ravenmoor::test::sourceDir() + "/data/profiles.pop", catalogue.catalogueFile()));
    }

    QStringList shippedGroup(int n)
    {
        QFile f(ravenmoor::test::sourceDir() + "/data/profiles.pop");
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
        return lines.mid(4 * n - 4, 4);
    }

    std::string errorOf(int n)
    {
        try {
            catalogue.SelectProfile(n);
        } catch (const ProfileFileError &e) {
            return e.what();
        }
        return "no error";
    }
};

TEST_F(Catalogue, DiscTargetGetsPalNtscAndDisabledQualityLists)
{
    useShippedCatalogue();
    state.videoRateSlots = {"a", "b", "c", "d", "e"};
    catalogue.SelectProfile(112);
    EXPECT_EQ(settings.cb_size.Items(), (QStringList{"PAL", "NTSC"}));
    EXPECT_FALSE(settings.cb_videobitrate.Enabled());
    EXPECT_FALSE(settings.cb_audiobitrate.Enabled());
    EXPECT_FALSE(settings.cb_channel.Enabled());
    EXPECT_EQ(state.videoRateSlots, (std::array<QString, 5>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(state.profileOptionString, shippedGroup(112)[3]);
    EXPECT_EQ(state.currentJob.profileOptions, shippedGroup(112)[3]);
    EXPECT_EQ(state.currentProfile, 112);
    EXPECT_EQ(state.appliedProfile, 112);
}

TEST_F(Catalogue, DiscTargetAfterAudioOnlyProfileStillOffersPalAndNtsc)
{
    useShippedCatalogue();
    catalogue.SelectProfile(17);
    ASSERT_FALSE(settings.cb_size.Enabled());
    catalogue.SelectProfile(114);
    EXPECT_TRUE(settings.cb_size.Enabled());
    EXPECT_EQ(settings.cb_size.Text(), "PAL");
}

TEST_F(Catalogue, AudioOnlyProfileThenVideoProfile)
{
    writeCatalogue({{17, {"mp3", "", "*", " -vn -f mp3 "}}, {18, {"ogg", "", "*", " -vn -f ogg "}},
                    {102, {"avi", "320x240 640x480", "400 600 800 1000 1500", " -f avi "}}});
    catalogue.SelectProfile(17);
    EXPECT_EQ(settings.cb_size.Items(), QStringList{"No Video"});
    EXPECT_EQ(settings.cb_size.ItemIndex(), 0);
    EXPECT_FALSE(settings.cb_size.Enabled());
    EXPECT_EQ(state.videoRateSlots[0], "*");
    EXPECT_EQ(settings.cb_videobitrate.Count(), 6);
    EXPECT_EQ(settings.cb_videobitrate.Text(), "No Video");
    EXPECT_EQ(settings.cb_videobitrate.ItemIndex(), 5);
    EXPECT_FALSE(settings.cb_videobitrate.Enabled());

    catalogue.SelectProfile(18); // a second audio-only profile: still one "No Video"
    EXPECT_EQ(settings.cb_videobitrate.Items().count("No Video"), 1);
    EXPECT_EQ(settings.cb_videobitrate.Text(), "No Video");

    catalogue.SelectProfile(102);
    EXPECT_TRUE(settings.cb_size.Enabled());
    EXPECT_TRUE(settings.cb_videobitrate.Enabled());
    EXPECT_FALSE(settings.cb_videobitrate.Items().contains("No Video"));
    EXPECT_EQ(settings.cb_videobitrate.ItemIndex(), 2);
    EXPECT_EQ(state.videoRateSlots, (std::array<QString, 5>{"1500", "1000", "800", "600", "400"}));
    EXPECT_EQ(settings.cb_size.Items(), (QStringList{"320x240", "640x480"}));
    EXPECT_EQ(settings.cb_size.ItemIndex(), 1); // default 4 does not fit two sizes: item 1
}

TEST_F(Catalogue, ShortRateLineKeepsTheRemainingSlots)
{
    writeCatalogue({{30, {"t", "480x320", "400 600 800", " -o "}}});
    state.videoRateSlots = {"p0", "p1", "p2", "p3", "p4"};
    catalogue.SelectProfile(30);
    EXPECT_EQ(state.videoRateSlots, (std::array<QString, 5>{"p0", "p1", "800", "600", "400"}));
}

TEST(CatalogueLines, SplitRule)
{
    const struct {
        const char *line;
        QStringList items;
    } table[] = {
        {"320x240 640x480 720x576", {"320x240", "640x480", "720x576"}},
        {"320x240 640x480 x", {"320x240", "640x480"}},
        {"320x240  640x480", {"320x240"}},
        {" 320x240", {}},
        {"320x240 ", {"320x240"}},
        {"", {}},
        {"*", {}},
        {"ab", {"ab"}},
        {"640x480(4:3) 720x576", {"640x480(4:3)", "720x576"}},
    };
    for (const auto &row : table)
        EXPECT_EQ(SplitProfileItems(row.line), row.items) << row.line;
}

TEST_F(Catalogue, ChannelListByExtension)
{
    useShippedCatalogue();
    const struct {
        int profile;
        QStringList items;
    } table[] = {
        {102, {" Mono", "Stereo", "6 Channel"}}, {125, {" Mono", "Stereo", "6 Channel"}},
        {122, {"Mono", "Stereo"}},               {17, {"Mono", "Stereo"}},
        {113, {"Mono", "Stereo"}},
    };
    for (const auto &row : table) {
        catalogue.SelectProfile(row.profile);
        EXPECT_EQ(settings.cb_channel.Items(), row.items) << row.profile;
        EXPECT_EQ(settings.cb_channel.ItemIndex(), 1) << row.profile;
    }
}

TEST_F(Catalogue, CrLfLineEndsReadLikeLf)
{
    writeCatalogue({{102, {"avi", "320x240 640x480", "400 600 800 1000 1500", " -f avi "}}}, "\r\n");
    catalogue.SelectProfile(102);
    EXPECT_EQ(settings.cb_size.Items(), (QStringList{"320x240", "640x480"}));
    EXPECT_EQ(state.videoRateSlots[0], "1500");
    EXPECT_EQ(state.profileOptionString, " -f avi ");
}

TEST_F(Catalogue, BadCatalogueLeavesThePreviousProfileInForce)
{
    writeCatalogue({});
    catalogue.SelectProfile(27);
    const Snapshot before = snapshot(state, settings);
    const QStringList captionsBefore = display.captions;

    const struct {
        const char *what;
        QMap<int, QStringList> groups;
        int lastGroup;
        int select;
        std::vector<std::string> message;
    } table[] = {
        {"short file", {}, 25, 30, {"profile 30", "line 101", "ends before"}},
        {"non-numeric rate", {{30, {"t", "480x320", "100 abc 300 400 500", " -o "}}}, 131, 30, {"profile 30", "line 119", "abc"}},
        {"garbage size", {{30, {"t", "480x320 big", "100 200 300 400 500", " -o "}}}, 131, 30, {"profile 30", "line 118", "big"}},
        {"double blank", {{30, {"t", "480x320  640x480", "1 2 3 4 5", " -o "}}}, 131, 30, {"line 118"}},
        {"six rates", {{30, {"t", "480x320", "1 2 3 4 5 6", " -o "}}}, 131, 30, {"line 119", "five"}},
        {"missing option line", {}, 29, 29, {"profile 29", "ends before"}},
        {"number out of range", {}, 131, 132, {"no profile 132"}},
    };
    for (const auto &row : table) {
        writeCatalogue(row.groups, "\n", row.lastGroup);
        if (row.lastGroup == 29) { // cut the file after the third line of group 29
            QFile f(catalogue.catalogueFile());
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            const QList<QByteArray> lines = f.readAll().split('\n');
            f.resize(0);
            f.write(lines.mid(0, 4 * 29 - 1).join('\n') + '\n');
        }
        const std::string message = errorOf(row.select);
        for (const std::string &part : row.message)
            EXPECT_NE(message.find(part), std::string::npos) << row.what << ": " << message;
        EXPECT_EQ(snapshot(state, settings), before) << row.what;
        EXPECT_EQ(display.captions, captionsBefore) << row.what;
    }

    QFile::remove(catalogue.catalogueFile());
    const std::string missing = errorOf(30);
    EXPECT_NE(missing.find("File not found"), std::string::npos) << missing;
    EXPECT_NE(missing.find("profiles.pop"), std::string::npos) << missing;
    EXPECT_EQ(snapshot(state, settings), before);
}

TEST_F(Catalogue, CallerSettingTheCurrentProfileFirstStillKeepsThePreviousOne)
{
    writeCatalogue({{30, {"t", "480x320", "1 x 3 4 5", " -o "}}});
    catalogue.SelectProfile(27);
    state.settingsLoaded = true;
    state.currentProfile = 30; // as a picker button might
    EXPECT_THROW(catalogue.SelectProfile(30), ProfileFileError);
    EXPECT_EQ(state.currentProfile, 27);
    EXPECT_EQ(state.appliedProfile, 27);
}

TEST_F(Catalogue, PictureThatCannotBeLoadedLeavesThePreviousProfile)
{
    writeCatalogue({});
    state.currentCategory = 3;
    catalogue.SelectProfile(27);
    EXPECT_EQ(display.icons, QStringList{dir.path() + "/images/main/3.bmp"});
    const Snapshot before = snapshot(state, settings);
    display.failIcons = true;
    EXPECT_THROW(catalogue.SelectProfile(102), std::runtime_error);
    EXPECT_EQ(snapshot(state, settings), before);
}

TEST_F(Catalogue, QualityOfTheLeftProfileIsStoredOnceSettingsAreLoaded)
{
    writeCatalogue({});
    catalogue.SelectProfile(102);
    settings.cb_audiobitrate.SetItemIndex(0);
    catalogue.SelectProfile(103); // settings not loaded yet: nothing stored
    EXPECT_FALSE(quality->SectionExists("102"));

    state.settingsLoaded = true;
    settings.cb_size.SetItemIndex(3);
    settings.cb_videobitrate.SetItemIndex(4);
    catalogue.SelectProfile(102);
    EXPECT_EQ(quality->ReadInteger("103", "size", -1), 3);
    EXPECT_EQ(quality->ReadInteger("103", "video bitrate", -1), 4);
    catalogue.SelectProfile(103);
    EXPECT_EQ(settings.cb_size.ItemIndex(), 3);
    EXPECT_EQ(settings.cb_videobitrate.ItemIndex(), 4);
}

TEST_F(Catalogue, SelectionRefreshesEveryEstimateAndShowsTheCaption)
{
    useShippedCatalogue();
    catalogue.SelectProfile(112);
    EXPECT_EQ(rows.shown, (QStringList{"9.96MB", FormatEstimatedSize(1393, 600)}));
    EXPECT_EQ(display.captions.last(), "Video CD - MPEG PS Format(*.mpg)");
    catalogue.SelectProfile(26); // a separator shows the previous caption again
    EXPECT_EQ(display.captions.last(), "Video CD - MPEG PS Format(*.mpg)");
}

TEST_F(Catalogue, EveryShippedProfileSelectsWithItsDefaults)
{
    useShippedCatalogue();
    for (int n = 1; n <= kLastProfileNumber; ++n) {
        if (!IsProfile(n))
            continue;
        SCOPED_TRACE(n);
        ASSERT_NO_THROW(catalogue.SelectProfile(n));
        EXPECT_EQ(state.appliedProfile, n);
        EXPECT_EQ(GetProfileExtension(state), ExtensionOfCaption(ProfileCaption(n)));
        EXPECT_FALSE(state.profileOptionString.trimmed().isEmpty());
        if (IsAudioOnly(n)) {
            EXPECT_EQ(settings.cb_size.Text(), "No Video");
            EXPECT_FALSE(settings.cb_size.Enabled());
        } else if (!IsDiscTarget(n)) {
            EXPECT_EQ(settings.cb_size.ItemIndex(), DefaultSizeIndex(n));
            EXPECT_TRUE(settings.cb_size.Enabled());
        }
        EXPECT_EQ(settings.cb_videobitrate.Count(), IsAudioOnly(n) ? 6 : 5);
        EXPECT_EQ(settings.cb_audiobitrate.ItemIndex(), 2);
    }
}

} // namespace
