#include "engine/source_list.h"

#include <gtest/gtest.h>

namespace {

SourceRow rowNamed(const QString &caption)
{
    SourceRow r;
    r.caption = caption;
    return r;
}

TEST(SourceList, ChangesAreAnnounced)
{
    SourceList list;
    int appended = 0, changed = 0, cleared = 0;
    QVector<int> deleted;
    QObject::connect(&list, &SourceList::rowAppended, [&] { ++appended; });
    QObject::connect(&list, &SourceList::rowChanged, [&] { ++changed; });
    QObject::connect(&list, &SourceList::rowDeleted, [&](int row) { deleted << row; });
    QObject::connect(&list, &SourceList::cleared, [&] { ++cleared; });

    EXPECT_EQ(list.appendRow(rowNamed("a")), 0);
    EXPECT_EQ(list.appendRow(rowNamed("b")), 1);
    EXPECT_EQ(appended, 2);
    list.setStatus(1, "12.00%");
    list.setStatus(1, "12.00%"); // unchanged text: no notice
    list.setChecked(0, false);
    list.setSelected(1, true);
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(list.row(1).subItems[SourceRow::Status], "12.00%");
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_EQ(list.checkedRows(), QVector<int>{1});

    list.deleteRow(0);
    EXPECT_EQ(deleted, QVector<int>{0});
    EXPECT_EQ(list.row(0).caption, "b");
    list.clear();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(list.rowCount(), 0);
}

TEST(SourceList, OutOfRangeEditsAreIgnored)
{
    SourceList list;
    list.appendRow(rowNamed("a"));
    list.setStatus(5, "x");
    list.setSubItem(0, 7, "x");
    list.deleteRow(-1);
    list.setSelected(3, true);
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.selectedRow(), -1);
}

TEST(SourceList, ArraysFollowTheAdderNotTheRows)
{
    SourceList list;
    for (int i = 0; i < 3; ++i)
        list.appendRow(rowNamed(QString::number(i)));
    list.sizeArraysToRows(true);
    EXPECT_EQ(list.originalInfo().size(), 3);
    EXPECT_EQ(list.convertInfo().size(), 3);
    list.clear();
    EXPECT_EQ(list.originalInfo().size(), 3); // clearing leaves them
    list.appendRow(rowNamed("new"));
    list.sizeArraysToRows();
    EXPECT_EQ(list.originalInfo().size(), 1);
    EXPECT_EQ(list.convertInfo().size(), 3);
}

} // namespace
