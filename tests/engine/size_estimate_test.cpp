#include "engine/profile_captions.h"
#include "engine/size_estimate.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

// State and lists as a selection of profile n leaves them.
struct Chosen {
    EngineState state;
    SettingsModel settings;

    Chosen(int n, QStringList sizes, int sizeIndex, int video, int audio, QStringList rates = {})
    {
        state.currentProfile = n;
        state.profileCaption = ProfileCaption(n);
        for (int i = 0; i < rates.size(); ++i)
            state.videoRateSlots[i] = rates[i];
        settings.cb_size.SetItems(sizes);
        settings.cb_size.SetItemIndex(sizeIndex);
        settings.cb_videobitrate.SetItemIndex(video);
        settings.cb_audiobitrate.SetItemIndex(audio);
    }
};

const QStringList kSizes{"320x240", "640x480", "720x576", "The original"};

TEST(TotalBitrate, FollowsProfileClassAndChoices)
{
    const struct {
        const char *what;
        int profile;
        QStringList sizes;
        int sizeIndex, video, audio;
        QStringList rates;
        QString source;
        int total;
    } table[] = {
        {"VCD fixed total", 112, {"PAL", "NTSC"}, 0, 0, 0, {}, "1920x1080", 1393},
        {"SVCD fixed total", 113, {"PAL", "NTSC"}, 1, 4, 4, {}, "", 1948},
        {"DVD fixed total", 114, {"PAL", "NTSC"}, 0, 2, 2, {}, "", 3222},
        {"audio-only slot profile", 17, {"No Video"}, 0, 5, 2, {"*"}, "", 128},
        {"AAC audio only", 15, {"No Video"}, 0, 5, 0, {"*"}, "", 320},
        {"slot-rated video", 27, {"320x240"}, 0, 1, 2, {"768", "600", "500", "400", "300"}, "", 600 + 128},
        {"height-rated default factors", 102, kSizes, 1, 2, 2, {}, "", 1598 + 128},
        {"119 like 102", 119, kSizes, 1, 2, 2, {}, "", 1598 + 128},
        {"122 like 102", 122, kSizes, 1, 2, 2, {}, "", 1598 + 128},
        {"mini factors", 121, kSizes, 0, 0, 2, {}, "", 799 + 128},
        {"excellent factors", 123, kSizes, 0, 0, 2, {}, "", 2498 + 128},
        {"half to even", 102, {"1440x1082", "x"}, 0, 0, 2, {}, "", 6762 + 128},
        {"last item: source height", 102, kSizes, 3, 2, 2, {}, "1920x1080", 3596 + 128},
        {"last item: source without height", 102, kSizes, 3, 2, 2, {}, "", 1},
        {"wav audio", 20, {"No Video"}, 0, 5, 4, {"*"}, "", 1500},
        {"amr lower", 71, {"No Video"}, 0, 5, 4, {"*"}, "", 5},
        {"3gp counts AMR", 8, {"176x144", "352x288"}, 0, 2, 0, {}, "", 480 + 12},
        {"typed text without x", 102, kSizes, -1, 2, 2, {}, "", 128},
        {"slot not a number", 27, {"320x240"}, 0, 0, 2, {"abc"}, "", 1},
    };
    for (const auto &row : table) {
        Chosen s(row.profile, row.sizes, row.sizeIndex, row.video, row.audio, row.rates);
        if (row.sizeIndex < 0)
            s.settings.cb_size.SetText(QStringLiteral("big"));
        EXPECT_EQ(GetTotalBitrate(s.state, s.settings, row.source), row.total) << row.what;
    }
}

TEST(TotalBitrate, TypedSizeWithNoteReadsHeightUpToTheBracket)
{
    Chosen s(102, kSizes, 0, 2, 2);
    s.settings.cb_size.SetText(QStringLiteral("640x480(4:3)"));
    EXPECT_EQ(GetTotalBitrate(s.state, s.settings, {}), 1598 + 128);
    s.settings.cb_size.SetText(QStringLiteral("640x480 (4:3)"));
    EXPECT_EQ(GetTotalBitrate(s.state, s.settings, {}), 128); // "480 " is no number: no video rate
}

TEST(EstimatedSize, TextValues)
{
    const struct {
        int kbps, seconds;
        const char *text;
    } table[] = {
        {1393, 60, "9.96MB"},   {128, 180, "2.75MB"},   {1726, 600, "123.45MB"}, {1726, 0, "0.00MB"},
        {1, 1, "0.00MB"},       {8000, 3600, "3433.20MB"}, {30000, 7200, "25749.00MB"}, {300000, 36000, "1.2875E+06MB"},
    };
    for (const auto &row : table)
        EXPECT_EQ(FormatEstimatedSize(row.kbps, row.seconds), row.text) << row.kbps << " " << row.seconds;
}

TEST(EstimatedSize, UsesTheLocaleDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatEstimatedSize(1393, 60), "9,96MB");
    QLocale::setDefault(QLocale::c());
}

struct Rows : EstimateRows {
    QStringList frames, durations, shown;
    int estimateRowCount() const override { return int(frames.size()); }
    QString sourceFrameSize(int row) const override { return frames[row]; }
    QString sourceDuration(int row) const override { return durations[row]; }
    void setEstimatedSize(int row, const QString &text) override { shown[row] = text; }
};

TEST(EstimatedSize, UpdateAllRewritesEveryRowFromItsOwnSource)
{
    Chosen s(102, kSizes, 3, 2, 2); // last item: each row's own height
    Rows rows;
    rows.frames = {"640x480", "1280x720", "640x480"};
    rows.durations = {"00:10:00", "00:10:00", "N/A"};
    rows.shown = {"", "", ""};
    UpdateAllEstimatedSizes(s.state, s.settings, rows);
    EXPECT_EQ(rows.shown, (QStringList{"123.45MB", FormatEstimatedSize(2398 + 128, 600), "0.00MB"}));
    EXPECT_EQ(s.state.currentEstimateRow, 2);
}

} // namespace
