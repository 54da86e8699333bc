#include "platform/ini/bare_ini.h"
#include "platform/paths/program_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ProgramPaths, LogicalNameIsTheFileNameOfArgv0)
{
    const struct {
        const char *argv0, *name, *base;
    } table[] = {
        {"/usr/bin/ravenmoor", "ravenmoor", "ravenmoor"},
        {"ravenmoor-ipod", "ravenmoor-ipod", "ravenmoor-ipod"},
        {"./Video Tool.exe", "Video Tool.exe", "Video Tool"},
        {"/opt/x/tool 2.1.exe", "tool 2.1.exe", "tool 2.1"},
        {"A.EXE", "A.EXE", "A"},
        {"/x/ravenmoor.exe.bak", "ravenmoor.exe.bak", "ravenmoor.exe.bak"},
        {"convert", "convert", "convert"}, // no ".exe": nothing is cut off
        {"exe", "exe", "exe"},
    };
    for (const auto &row : table) {
        EXPECT_EQ(LogicalExecutableName(row.argv0), row.name) << row.argv0;
        EXPECT_EQ(SettingsBaseName(row.name), row.base) << row.name;
    }
}

TEST(ProgramPaths, ConfigFolderFromEnvironment)
{
    using Env = QHash<QByteArray, QString>;
    const struct {
        Env env;
        QString folder;
    } table[] = {
        {{{"RAVENMOOR_CONFIG_DIR", "/t/conf/"}, {"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}, "/t/conf"},
        {{{"RAVENMOOR_CONFIG_DIR", ""}, {"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}, "/x/ravenmoor"},
        {{{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/h"}}, "/h/.config/ravenmoor"},
        {{{"HOME", "/h/"}}, "/h/.config/ravenmoor"},
    };
    for (const auto &row : table) {
        const auto getenv = [&](const char *name) { return row.env.value(name); };
        EXPECT_EQ(ConfigFolderFromEnvironment(getenv), row.folder);
    }
}

TEST(ProgramPaths, BuiltFromArgv0AndTheRunningBinary)
{
    QTemporaryDir dir;
    qputenv("RAVENMOOR_CONFIG_DIR", QFile::encodeName(dir.path()));
    const ProgramPaths paths("/somewhere/else/ravenmoor-ipod.exe");
    qunsetenv("RAVENMOOR_CONFIG_DIR");

    const QString testBinaryFolder = QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).absolutePath();
    EXPECT_EQ(paths.executableFolder(), testBinaryFolder);
    EXPECT_EQ(paths.besideExecutable("lug.ini"), testBinaryFolder + "/lug.ini");
    EXPECT_EQ(paths.executableName(), "ravenmoor-ipod.exe");
    EXPECT_EQ(paths.settingsBaseName(), "ravenmoor-ipod");
    EXPECT_EQ(paths.configFolder(), dir.path());

    const ProgramPaths nameless(nullptr);
    EXPECT_EQ(nameless.executableName(), QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).fileName());
}

TEST(ProgramPaths, BareNameIniLivesInConfigFolderMadeOnFirstWrite)
{
    QTemporaryDir dir;
    const ProgramPaths paths("/opt/bin", "Video Tool.exe", dir.filePath("conf/ravenmoor"));
    TIniFile ini = OpenIniByBareName(paths, "pro Video Tool.ini");
    EXPECT_EQ(ini.FileName(), dir.filePath("conf/ravenmoor/pro Video Tool.ini"));
    EXPECT_EQ(ini.ReadInteger("17", "audio bitrate", 2), 2);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("conf")));
    ini.WriteInteger("17", "audio bitrate", 1);
    EXPECT_EQ(TIniFile(dir.filePath("conf/ravenmoor/pro Video Tool.ini")).ReadInteger("17", "Audio Bitrate", 2), 1);
}

} // namespace
