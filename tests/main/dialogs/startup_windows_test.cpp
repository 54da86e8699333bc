// The windows as the program makes them at start-up: the main window as the
// application's main form, the update-download window on the skinned
// progress bar and button, not the desktop's own controls.

#include "skin_controls/controls/button.h"
#include "skin_controls/controls/progress_bar.h"
#include "skin_controls/drawing/form_helpers.h"
#include "tests/main/program_fixture.h"

#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class StartupWindows : public testing::Test, public RecordedOutside {
protected:
    void SetUp() override
    {
        WindowTestApp();
        linkProgramFolder();
        makeProgram();
    }
    void TearDown() override { endProgram(); }
};

TEST_F(StartupWindows, UpdateWindowShowsTheSkinnedProgressBarAndProteinButton)
{
    auto *show = window().findChild<QDialog *>(QStringLiteral("Tfm_show"));
    ASSERT_TRUE(show);
    EXPECT_TRUE(show->findChildren<QProgressBar *>().isEmpty());
    EXPECT_TRUE(show->findChildren<QPushButton *>().isEmpty());

    auto *bar = show->findChild<TsuiProgressBar *>(QStringLiteral("pb_update"));
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->Orientation(), TsuiProgressBarOrientation::suiHorizontal);
    EXPECT_EQ(bar->size(), QSize(201, 12));
    EXPECT_EQ(bar->x(), 31);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->Text(), QStringLiteral("0%"));
    EXPECT_EQ(bar->Color(), 0xE8E8E8);
    EXPECT_EQ(bar->BorderColor(), 0x000000);
    EXPECT_EQ(bar->CaptionColor(), 0x000000);
    EXPECT_FALSE(bar->SmartShowCaption());

    const QList<TsuiButton *> buttons = show->findChildren<TsuiButton *>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->objectName(), QStringLiteral("suiButton1"));
    EXPECT_EQ(buttons[0]->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(buttons[0]->Caption(), QStringLiteral("Download Background"));
    EXPECT_TRUE(show->rect().contains(buttons[0]->geometry())) << "inside the skinned window";
    EXPECT_TRUE(show->rect().contains(bar->geometry()));
}

TEST_F(StartupWindows, MainWindowIsTheApplicationsMainForm)
{
    EXPECT_EQ(ApplicationMainForm(), &window());
}

} // namespace
