#include "engine/quality_file.h"
#include "platform/ini/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Quality : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TIniFile ini{dir.path() + "/pro ravenmoor.ini"};
    SettingsModel settings;

    void lists(int sizes, int channels)
    {
        QStringList s;
        for (int i = 0; i < sizes; ++i)
            s << QString("%1x%2").arg(320 + 16 * i).arg(240);
        settings.cb_size.SetItems(s);
        settings.cb_channel.SetItems(channels == 3 ? QStringList{" Mono", "Stereo", "6 Channel"}
                                                   : QStringList{"Mono", "Stereo"});
    }
    QByteArray file() const
    {
        QFile f(ini.FileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(Quality, FreshFileGivesThePerProfileDefaults)
{
    const struct {
        int profile, sizes, expectedSize;
    } table[] = {{102, 8, 4}, {1, 5, 0}, {7, 5, 1}, {122, 5, 2}, {2, 3, 1}, {113, 2, 0}};
    for (const auto &row : table) {
        lists(row.sizes, 3);
        LoadProfileQuality(&ini, row.profile, settings);
        EXPECT_EQ(settings.cb_size.ItemIndex(), row.expectedSize) << row.profile;
        EXPECT_EQ(settings.cb_videobitrate.ItemIndex(), 2) << row.profile;
        EXPECT_EQ(settings.cb_audiobitrate.ItemIndex(), 2) << row.profile;
        EXPECT_EQ(settings.cb_channel.ItemIndex(), 1) << row.profile;
    }
}

TEST_F(Quality, AudioOnlyProfileStoresOnlyAudioAndChannel)
{
    lists(1, 2);
    settings.cb_size.SetItemIndex(0);
    settings.cb_videobitrate.SetItemIndex(4);
    settings.cb_audiobitrate.SetItemIndex(1);
    settings.cb_channel.SetItemIndex(0);
    SaveProfileQuality(&ini, 17, settings);
    EXPECT_EQ(file(), "[17]\naudio bitrate=1\nChannel=0\n");
}

TEST_F(Quality, VideoProfileStoresFourKeysInOrder)
{
    lists(5, 3);
    settings.cb_size.SetItemIndex(3);
    settings.cb_videobitrate.SetItemIndex(0);
    settings.cb_audiobitrate.SetItemIndex(4);
    settings.cb_channel.SetItemIndex(2);
    SaveProfileQuality(&ini, 103, settings);
    EXPECT_EQ(file(), "[103]\nsize=3\nvideo bitrate=0\naudio bitrate=4\nChannel=2\n");
    lists(5, 3);
    LoadProfileQuality(&ini, 103, settings);
    EXPECT_EQ(settings.cb_size.ItemIndex(), 3);
    EXPECT_EQ(settings.cb_videobitrate.ItemIndex(), 0);
    EXPECT_EQ(settings.cb_audiobitrate.ItemIndex(), 4);
    EXPECT_EQ(settings.cb_channel.ItemIndex(), 2);
}

TEST_F(Quality, NothingIsStoredWhenAListHasNoChosenItem)
{
    lists(5, 2);
    LoadProfileQuality(&ini, 122, settings);
    settings.cb_size.SetText("800x600"); // typed by the user
    SaveProfileQuality(&ini, 122, settings);
    EXPECT_EQ(file(), "");
    settings.cb_size.SetItemIndex(1);
    SaveProfileQuality(&ini, 26, settings); // a separator has no section
    SaveProfileQuality(&ini, 0, settings);
    SaveProfileQuality(&ini, 132, settings);
    EXPECT_EQ(file(), "");
}

TEST_F(Quality, OutOfRangeOrGarbageIndexesEndOnItemOne)
{
    QFile f(ini.FileName());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[122]\nsize=9\nvideo bitrate=-4\naudio bitrate=abc\nChannel=2\n");
    f.close();
    lists(3, 2);
    LoadProfileQuality(&ini, 122, settings);
    EXPECT_EQ(settings.cb_size.ItemIndex(), 1);
    EXPECT_EQ(settings.cb_videobitrate.ItemIndex(), 1);
    EXPECT_EQ(settings.cb_audiobitrate.ItemIndex(), 2); // not a number: the default
    EXPECT_EQ(settings.cb_channel.ItemIndex(), 1);      // an ".mp4" list has two items
}

// A profile with one frame size keeps it usable whatever index is stored.
TEST_F(Quality, OutOfRangeSizeOnASingleSizeProfileEndsOnItsOnlySize)
{
    QFile f(ini.FileName());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[27]\nsize=3\n");
    f.close();
    lists(1, 2);
    LoadProfileQuality(&ini, 27, settings);
    EXPECT_EQ(settings.cb_size.ItemIndex(), 0);
    EXPECT_EQ(settings.cb_size.Text(), "320x240");
}

TEST_F(Quality, SeparatorsReadNothingButStillChooseItemOne)
{
    lists(3, 2);
    settings.cb_audiobitrate.SetItemIndex(-1);
    settings.cb_size.SetItemIndex(2);
    LoadProfileQuality(&ini, 52, settings);
    EXPECT_EQ(settings.cb_size.ItemIndex(), 2);
    EXPECT_EQ(settings.cb_audiobitrate.ItemIndex(), 1);
}

TEST(QualityDefaults, SizeIndexTable)
{
    const struct {
        int index;
        std::vector<int> profiles;
    } table[] = {
        {0, {1, 27, 32, 34, 39, 41, 44, 46, 51, 53, 54, 56, 58, 60, 70, 72, 73, 75, 76, 78, 79, 81, 86, 88, 112, 116}},
        {1, {7, 14, 69, 77, 83, 84, 85, 89}},
        {2, {4, 8, 9, 55, 61, 66, 68, 91, 97, 110, 111, 118, 123}},
        {4, {2, 3, 5, 6, 10, 13, 99, 100, 102, 108, 125, 131}},
    };
    for (const auto &row : table)
        for (int n : row.profiles)
            EXPECT_EQ(DefaultSizeIndex(n), row.index) << n;
}

} // namespace
