#include "engine/settings_model.h"

#include <gtest/gtest.h>

namespace {

TEST(ComboModel, ChoosingOutsideTheItemsLeavesNoChosenItem)
{
    ComboModel list;
    list.SetItems({"a", "b", "c"});
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(2);
    EXPECT_EQ(list.Text(), "c");
    for (int i : {3, -1, 100, -7}) {
        list.SetItemIndex(i);
        EXPECT_EQ(list.ItemIndex(), -1) << i;
        EXPECT_EQ(list.Text(), "") << i;
    }
    EXPECT_EQ(list.Item(5), "");
}

TEST(ComboModel, TypedTextAndDeletion)
{
    ComboModel list;
    list.SetItems({"a", "b", "c"});
    list.SetItemIndex(1);
    list.SetText("800x600");
    EXPECT_FALSE(list.HasChosenItem());
    EXPECT_EQ(list.Text(), "800x600");

    list.SetItemIndex(2);
    list.Delete(0); // the chosen item moves up with the list
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(list.Text(), "c");
    list.Delete(1);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.Delete(9);
    EXPECT_EQ(list.Items(), QStringList{"b"});
}

TEST(ComboModel, ChangesAreSignalled)
{
    ComboModel list;
    int changes = 0;
    QObject::connect(&list, &ComboModel::changed, [&] { ++changes; });
    list.Add("x");
    list.SetItemIndex(0);
    list.SetEnabled(false);
    list.Clear();
    EXPECT_EQ(changes, 4);
}

TEST(SettingsModel, DesignTimeState)
{
    SettingsModel m;
    EXPECT_EQ(m.cb_videobitrate.Items(), QualityDefaultTexts());
    EXPECT_EQ(m.cb_channel.Text(), "Stereo");
    EXPECT_EQ(m.CB_NT.Count(), 10);
    EXPECT_EQ(m.CB_NT.Text(), "3");
}

} // namespace
