// The list's Status column in the real window on a real X display: every
// status a row can show fits the column whole, with the font the list draws
// in, while the whole list still fits its width.

#include "engine/conversion_queue.h"
#include "engine/encoder_progress.h"
#include "engine/job_messages.h"
#include "engine/source_list.h"
#include "main/window/source_list_view.h"
#include "tests/support/private_display.h"
#include "tests/support/window_program.h"

#include <QHeaderView>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

class StatusColumn : public testing::Test, protected RealProgram {
protected:
    void SetUp() override
    {
        PrivateDisplayApp();
        makeProgram();
    }
    void TearDown() override { endProgram(); }
};

TEST_F(StatusColumn, EveryStatusFitsTheColumnWhole)
{
    showWindow();
    SourceList &list = window().sourceList();
    const QStringList statuses{kStatusFinishWarning, kStatusFinish, kStatusFailed, kStatusStop,
                               ProgressPercentText(9999)};
    // Enough rows for the list to need its vertical scroll bar.
    for (int i = 0; i < 40; ++i) {
        SourceRow row;
        row.caption = QStringLiteral("holiday clip %1").arg(i);
        row.subItems = {"00:01:40", "00:01:40", "12.5 M", statuses[i % statuses.size()]};
        list.appendRow(row);
    }
    list.sizeArraysToRows();
    window().UpdateControlStates();
    list.setVisible(true);
    auto *lv = window().findChild<SourceListView *>("lv");
    ASSERT_TRUE(lv);
    QApplication::processEvents();
    ASSERT_TRUE(lv->verticalScrollBar()->isVisible());

    for (const QString &status : statuses) {
        SCOPED_TRACE(status.toStdString());
        const int row = int(statuses.indexOf(status));
        const QModelIndex cell = lv->model()->index(row, 4);
        ASSERT_EQ(cell.data().toString(), status);
        // What the item's delegate needs to draw the text unelided, in the list's own font.
        EXPECT_LE(lv->sizeHintForIndex(cell).width(), lv->visualRect(cell).width());
    }
    const int right = lv->header()->sectionViewportPosition(4) + lv->columnWidth(4);
    EXPECT_LE(right, lv->viewport()->width());
    EXPECT_FALSE(lv->horizontalScrollBar()->isVisible());
}

} // namespace
