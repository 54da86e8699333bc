#include "platform/dialogs/qt_dialogs.h"
#include "platform/dialogs/recording_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QApplication &app()
{
    static int argc = 1;
    static char name[] = "dialogs_test";
    static char *argv[] = {name, nullptr};
    static QApplication instance(argc, argv);
    return instance;
}

// Acts on the modal window once it is up.
template <typename W, typename F>
void whenModal(F act)
{
    QTimer::singleShot(0, [act] {
        auto *w = qobject_cast<W *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        act(w);
    });
}

// Each entry shows its description and its patterns once, in the form the dialog reads.
TEST(QtDialogs, FilterEntriesKeepTheirDescriptionAndOfferTheirPatterns)
{
    const QStringList filters = QtDialogs::nameFilters({{"All Support Files", {"*.3gp", "*dvr-ms"}},
                                                        {"Digital Video Files (*.dv;*.dif)", {"*.dv", "*.dif"}},
                                                        {"3GPP Files (*.3gp)", {"*.3gp"}},
                                                        {"IFO Files(*.ifo)", {"*.ifo", "*.IFO"}},
                                                        {"Real Media (Helix)", {"*.rm"}}});
    EXPECT_EQ(filters, (QStringList{"All Support Files (*.3gp *dvr-ms)", "Digital Video Files (*.dv *.dif)",
                                    "3GPP Files (*.3gp)", "IFO Files (*.ifo *.IFO)", "Real Media (Helix) (*.rm)"}));
}

TEST(QtDialogs, QuestionAnswersYesOrNo)
{
    app();
    QtDialogs dialogs;
    whenModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "Remove all?");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(dialogs.ask(MessageKind::Confirmation, "Remove all?"));
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::No)->click(); });
    EXPECT_FALSE(dialogs.ask(MessageKind::Information, "Stop?"));
}

TEST(QtDialogs, WarningHasOnlyOk)
{
    app();
    QtDialogs dialogs;
    whenModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.message(MessageKind::Warning, "busy");
}

TEST(QtDialogs, OpenFilesReturnsTheChosenFilesOrNothing)
{
    app();
    QTemporaryDir dir;
    QFile(dir.filePath("a.avi")).open(QIODevice::WriteOnly);
    QtDialogs dialogs;
    whenModal<QFileDialog>([&](QFileDialog *d) {
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFiles);
        EXPECT_TRUE(d->filter() & QDir::Hidden);
        EXPECT_EQ(d->nameFilters().size(), 2);
        d->setDirectory(dir.path());
        d->selectFile(dir.filePath("a.avi"));
        static_cast<QDialog *>(d)->accept();
    });
    const QStringList chosen = dialogs.openFiles({{"Video", {"*.avi"}}, {"All File (*.*)", {"*.*"}}});
    EXPECT_EQ(chosen, QStringList{dir.filePath("a.avi")});

    whenModal<QFileDialog>([](QFileDialog *d) { d->reject(); });
    EXPECT_TRUE(dialogs.openFiles({{"Video", {"*.avi"}}}).isEmpty());
}

TEST(RecordingDialogs, AnswersFromItsScriptAndRecords)
{
    RecordingDialogs d;
    d.answers = {false};
    d.fileChoices = {{"/a", "/b"}};
    EXPECT_FALSE(d.ask(MessageKind::Confirmation, "q1"));
    EXPECT_TRUE(d.ask(MessageKind::Confirmation, "q2"));
    EXPECT_EQ(d.openFiles({}), (QStringList{"/a", "/b"}));
    EXPECT_TRUE(d.openFiles({}).isEmpty());
    EXPECT_EQ(d.pickFolder("cap"), "");
    EXPECT_EQ(d.folderCaptions, QStringList{"cap"});
    EXPECT_EQ(d.texts(), (QStringList{"q1", "q2"}));
}

} // namespace
