// The help page beside the program, read as its user reads it: it describes
// every toolbar button, menu and setting by the names the window shows, the
// after-finish choice, the version the program shows, and where the
// conversion log lies for a problem report; it holds no developer talk.

#include "main/dialogs/settings_window.h"
#include "platform/paths/program_paths.h"
#include "platform/skin/skin_file.h"
#include "tests/support/window_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

class HelpPage : public testing::Test, protected RealProgram {
protected:
    QString page; // the page's text, as a browser shows it

    void SetUp() override
    {
        windowTestApp();
        QFile file(QDir(binDir()).filePath("help.html"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        page = document.toPlainText().simplified();
    }
    void TearDown() override { endProgram(); }
};

TEST_F(HelpPage, DescribesTheWindowByTheNamesItShows)
{
    const struct {
        const char *part;
        QStringList names;
    } parts[] = {
        {"toolbar",
         {"Add DVD", "Add Files", "Add IFO", "Add Folder", "Remove", "Clear", "Check All", "Uncheck", "Chapters",
          "Output format"}},
        {"menus",
         {"File", "DVD", "Edit", "Actions", "Tools → Settings", "Help", "Rename", "Run Background",
          "Feedback and Support", "About Ravenmoor"}},
        {"title bar", {"globe", "×", "move the window"}},
        {"list", {"Original time", "Conversion time", "Output size", "Status", "Finish (warning)", "Audio", "Subtitle"}},
        {"run", {"Output folder", "Browse...", "Start", "Stop"}},
        {"preview", {"Play", "pause", "30 seconds", "mark", "camera"}},
    };
    for (const auto &part : parts)
        for (const QString &name : part.names)
            EXPECT_TRUE(page.contains(name)) << part.part << ": " << name.toStdString();
}

// The settings window's fields and after-finish choices as the real window words them.
TEST_F(HelpPage, DescribesTheSettingsWindowAndTheAfterFinishChoice)
{
    makeProgram();
    Tfm_set &settings = program->settingsWindow();
    QStringList shown;
    for (const QLabel *label : settings.findChildren<QLabel *>())
        if (const QString text = label->text().trimmed(); text.endsWith(':'))
            shown << text.chopped(1);
    for (const QRadioButton *choice : settings.findChildren<QRadioButton *>())
        shown << choice->text();
    ASSERT_GE(shown.size(), 8) << shown.join(", ").toStdString();
    for (const QString &text : shown)
        EXPECT_TRUE(page.contains(text)) << text.toStdString();
}

TEST_F(HelpPage, TellsTheVersionAndWhereTheConversionLogLies)
{
    const SkinFile skin = ReadSkinFile(QDir(binDir()).filePath("skn.skn"));
    const SkinSectionDef *about = skin.section("about");
    ASSERT_TRUE(about);
    QString version;
    for (const SkinObjectDef &o : about->objects)
        if (o.name == "aboutversion")
            version = o.text;
    ASSERT_TRUE(version.startsWith("Version ")) << version.toStdString();
    EXPECT_TRUE(page.contains(version)) << version.toStdString();

    // The settings folder as a user without XDG_CONFIG_HOME has it, and the log the program writes there.
    const QString folder = ConfigFolderFromEnvironment([](const char *name) {
        return QString::fromLatin1(qstrcmp(name, "HOME") == 0 ? "~" : "");
    });
    makeProgram();
    const QString log = QFileInfo(window().state().conversionLog).fileName();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(page.contains(folder + "/" + log)) << (folder + "/" + log).toStdString();
    EXPECT_TRUE(page.contains("Feedback and Support"));
}

TEST_F(HelpPage, HoldsNoDeveloperTalk)
{
    for (const char *word : {"./run.sh", "./test.sh", "source folder", "build/", "ctest", "cmake", "apt-get"})
        EXPECT_FALSE(page.contains(word, Qt::CaseInsensitive)) << word;
}

} // namespace
