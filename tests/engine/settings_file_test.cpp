#include "engine/profile_catalogue.h"
#include "engine/settings_file.h"
#include "engine/size_estimate.h"
#include "engine/profile_captions.h"
#include "platform/errors/recording_error_box.h"
#include "platform/ini/ini_file.h"
#include "platform/paths/program_paths.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct NoDisplay : ProfileCaptionDisplay {
    void loadCategoryIcon(const QString &) override {}
    void showProfileCaption(const QString &) override {}
};

struct NoRows : EstimateRows {
    int estimateRowCount() const override { return 0; }
    QString sourceFrameSize(int) const override { return {}; }
    QString sourceDuration(int) const override { return {}; }
    void setEstimatedSize(int, const QString &) override {}
};

TEST(SettingsFileNames, FromTheSettingsBaseName)
{
    const struct {
        const char *exe, *settings, *quality;
    } table[] = {
        {"Video Tool.exe", "Video Tool.ini", "pro Video Tool.ini"},
        {"tool 2.1.exe", "tool 2.ini", "pro tool 2.ini"},
        {"ravenmoor", "ravenmoor.ini", "pro ravenmoor.ini"},
        {"ravenmoor-ipod", "ravenmoor-ipod.ini", "pro ravenmoor-ipod.ini"},
        {"conv.EXE", "conv.ini", "pro conv.ini"},
    };
    for (const auto &row : table) {
        const QString base = SettingsBaseName(row.exe);
        EXPECT_EQ(SettingsFileName(base), row.settings) << row.exe;
        EXPECT_EQ(QualityFileName(base), row.quality) << row.exe;
    }
}

class Settings : public ::testing::Test {
protected:
    QTemporaryDir exeDir, configDir;
    EngineState state;
    SettingsModel model;
    NoDisplay display;
    NoRows rows;
    RecordingErrorBox errors;
    ProfileCatalogue catalogue{state, model, exeDir.path(), {}, display, rows};

    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(ravenmoor::test::sourceDir() + "/data/profiles.pop", catalogue.catalogueFile()));
    }

    ProgramPaths paths(const QString &exe = "ravenmoor") const { return ProgramPaths(exeDir.path(), exe, configDir.path()); }
    QString settingsPath(const QString &name = "ravenmoor.ini") const { return configDir.path() + "/" + name; }
    void store(const QByteArray &text, const QString &name = "ravenmoor.ini")
    {
        QFile f(settingsPath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray stored(const QString &name = "ravenmoor.ini") const
    {
        QFile f(settingsPath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

TEST_F(Settings, FirstStartWritesAllEightKeysInOrder)
{
    const ProgramPaths p = paths();
    SettingsFile file(state, model, catalogue, p, errors);
    file.LoadSettings();
    EXPECT_TRUE(state.settingsLoaded);
    EXPECT_EQ(state.currentProfile, 9);
    EXPECT_EQ(state.appliedProfile, 9);
    EXPECT_EQ(state.currentCategory, 1);
    EXPECT_EQ(state.ThCount, 3);
    EXPECT_EQ(state.FinishSelcet, 0);
    EXPECT_EQ(state.outputFolder, DefaultOutputFolder());
    EXPECT_EQ(model.ed_output, DefaultOutputFolder());
    file.SaveSettings();
    EXPECT_TRUE(errors.shown.isEmpty());
    const QByteArray expected = "[output]\n"
                                "path=" + DefaultOutputFolder().toUtf8() + "\n"
                                "[profiles]\n"
                                "selcetsubindex=9\n"
                                "selcetindex=1\n"
                                "FinishSelcet=0\n"
                                "[plane]\n"
                                "video=1\n"
                                "audio=1\n"
                                "[Load]\n"
                                "Main=1\n"
                                "[ThCount]\n"
                                "ThCount=3\n";
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(file.settingsIni(), nullptr);
}

TEST_F(Settings, StoredValuesAreReadAndWrittenBack)
{
    store("[output]\npath=/data/out/\n[profiles]\nselcetindex=4\nselcetsubindex=27\nFinishSelcet=1\n"
          "[ThCount]\nThCount=7\n[plane]\nvideo=0\naudio=1\n[Load]\nMain=0\n");
    const ProgramPaths p = paths();
    SettingsFile file(state, model, catalogue, p, errors);
    file.LoadSettings();
    EXPECT_EQ(state.outputFolder, "/data/out/");
    EXPECT_EQ(model.ed_output, "/data/out/");
    EXPECT_EQ(state.currentCategory, 4);
    EXPECT_EQ(state.currentProfile, 27);
    EXPECT_EQ(state.appliedProfile, 27);
    EXPECT_EQ(state.profileCaption, ProfileCaption(27));
    EXPECT_EQ(state.FinishSelcet, 1);
    EXPECT_EQ(state.ThCount, 7);
    EXPECT_FALSE(state.planeVideo);
    EXPECT_FALSE(state.loadMain);
    const QByteArray before = stored();
    file.SaveSettings();
    EXPECT_EQ(stored(), before);
}

TEST_F(Settings, StoredValuesOutsideTheirChoicesAreMended)
{
    const struct {
        const char *exe;
        QByteArray file;
        int current, applied, thCount, finish;
    } table[] = {
        {"ravenmoor", "[profiles]\nselcetsubindex=-1\n", 103, 103, 3, 0},
        {"ravenmoor", "[profiles]\nselcetsubindex=26\n", 9, 9, 3, 0},
        {"ravenmoor-avi", "[profiles]\nselcetsubindex=500\n", 102, 102, 3, 0},
        {"ravenmoor-mp3", "[profiles]\nselcetsubindex=abc\n", 17, 17, 3, 0},
        {"ravenmoor", "[ThCount]\nThCount=15\n", 9, 9, 9, 0},
        {"ravenmoor", "[ThCount]\nThCount=-3\n", 9, 9, 0, 0},
        {"ravenmoor", "[profiles]\nFinishSelcet=7\n", 9, 9, 3, 0},
        {"ravenmoor", "[profiles]\nFinishSelcet=2\nselcetindex=-1\n", 9, 9, 3, 2},
    };
    for (const auto &row : table) {
        const QString name = SettingsFileName(SettingsBaseName(row.exe));
        store(row.file, name);
        EngineState fresh;
        state = fresh;
        const ProgramPaths p = paths(row.exe);
        SettingsFile file(state, model, catalogue, p, errors);
        file.LoadSettings();
        EXPECT_EQ(state.currentProfile, row.current) << row.file.constData();
        EXPECT_EQ(state.appliedProfile, row.applied) << row.file.constData();
        EXPECT_EQ(state.ThCount, row.thCount) << row.file.constData();
        EXPECT_EQ(state.FinishSelcet, row.finish) << row.file.constData();
        EXPECT_EQ(state.currentCategory, 1) << row.file.constData();
        file.SaveSettings();
        TIniFile written(settingsPath(name));
        EXPECT_EQ(written.ReadInteger("profiles", "selcetsubindex", 0), row.current) << row.file.constData();
        EXPECT_EQ(written.ReadInteger("ThCount", "ThCount", -9), row.thCount) << row.file.constData();
    }
    EXPECT_TRUE(errors.shown.isEmpty());
}

TEST_F(Settings, UnreadableCatalogueIsShownAndTheStoredProfileSurvives)
{
    QFile::remove(catalogue.catalogueFile());
    store("[profiles]\nselcetsubindex=27\nFinishSelcet=2\n[ThCount]\nThCount=5\n");
    const ProgramPaths p = paths();
    SettingsFile file(state, model, catalogue, p, errors);
    file.LoadSettings();
    ASSERT_EQ(errors.shown.size(), 1);
    EXPECT_TRUE(errors.shown[0].contains("profiles.pop")) << errors.shown[0].toStdString();
    EXPECT_TRUE(state.settingsLoaded);
    EXPECT_EQ(state.FinishSelcet, 2);
    EXPECT_EQ(state.ThCount, 5);
    file.SaveSettings();
    TIniFile written(settingsPath());
    EXPECT_EQ(written.ReadInteger("profiles", "selcetsubindex", 0), 27);
    EXPECT_EQ(written.ReadInteger("profiles", "FinishSelcet", 0), 2);
}

TEST_F(Settings, NothingIsWrittenWithoutAFinishedLoad)
{
    store("[profiles]\nselcetsubindex=27\n");
    const ProgramPaths p = paths();
    SettingsFile file(state, model, catalogue, p, errors);
    file.SaveSettings();
    EXPECT_EQ(stored(), "[profiles]\nselcetsubindex=27\n");
}

TEST_F(Settings, QualityFileIsOpenWhileTheSettingsAre)
{
    const ProgramPaths p = paths("Video Tool.exe");
    SettingsFile file(state, model, catalogue, p, errors);
    file.LoadSettings();
    ASSERT_NE(file.qualityIni(), nullptr);
    EXPECT_EQ(file.qualityIni()->FileName(), configDir.path() + "/pro Video Tool.ini");
    catalogue.SelectProfile(102); // leaving 9 stores its choices
    EXPECT_EQ(file.qualityIni()->ReadInteger("9", "size", -1), 2);
    file.SaveSettings();
    EXPECT_TRUE(QFile::exists(configDir.path() + "/Video Tool.ini"));
    EXPECT_EQ(file.qualityIni(), nullptr);
}

} // namespace
