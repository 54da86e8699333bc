// Every edition of the program in the real window on a real X display, over
// the built program folder: it starts without the missing-product message,
// shows its own title panel, and a drag on the title moves the window.

#include "engine/language_texts.h"
#include "main/picker/picker_editions.h"
#include "tests/support/private_display.h"
#include "tests/support/window_program.h"

#include <QDir>
#include <QLabel>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

class Editions : public testing::Test, protected RealProgram {
protected:
    void SetUp() override { PrivateDisplayApp(); }
    void TearDown() override { endProgram(); }
};

TEST_F(Editions, EveryEditionStartsWholeAndMovesByItsTitle)
{
    const QString missingProduct =
        ReadLanguageInfoLine(QDir(binDir()).filePath("language.info"), 31).value_or(QString());
    ASSERT_FALSE(missingProduct.isEmpty());
    const QStringList editions = EditionProgramNames("ravenmoor");
    ASSERT_TRUE(editions.contains("ravenmoor-ipod"));
    for (const QString &edition : editions) {
        SCOPED_TRACE(edition.toStdString());
        makeProgram(edition);
        showWindow();
        EXPECT_FALSE(dialogs.texts().contains(missingProduct)) << dialogs.texts().join("\n").toStdString();

        auto *panel = window().findChild<QWidget *>("pl_appname");
        auto *title = window().findChild<QLabel *>("img_name");
        ASSERT_TRUE(panel && title);
        EXPECT_TRUE(panel->isVisible());
        EXPECT_FALSE(title->pixmap().isNull());

        // The hand presses where the title shows, and the window finds what lies there.
        const QPoint before = window().pos();
        const QPoint at = panel->mapTo(&window(), QPoint(10, 10));
        QWindow *handle = window().windowHandle();
        QTest::mousePress(handle, Qt::LeftButton, {}, at);
        QTest::mouseMove(handle, at + QPoint(100, 80));
        // The pointer stays where it was, over the title's same point of the moved window.
        QTest::mouseRelease(handle, Qt::LeftButton, {}, at);
        EXPECT_EQ(window().pos(), before + QPoint(100, 80))
            << before.x() << "," << before.y() << " -> " << window().pos().x() << "," << window().pos().y();

        endProgram();
        dialogs.shown.clear();
    }
}

} // namespace
