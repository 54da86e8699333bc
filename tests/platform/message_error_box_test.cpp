#include "platform/dialogs/message_error_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MessageErrorBox, ShowsModalErrorWithOk)
{
    int argc = 1;
    char name[] = "message_error_box_test";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Ravenmoor");

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->text(), "Cannot write \"/a b/s.ini\"");
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->windowTitle(), "Ravenmoor");
        ASSERT_EQ(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    MessageErrorBox errorBox;
    errorBox.showError("Cannot write \"/a b/s.ini\"");
    EXPECT_TRUE(seen);
}
