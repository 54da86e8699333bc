#include "main/window/control_states.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Every control whose Enabled state the rules set.
QStringList EnabledControls(const ControlStates &states)
{
    QStringList out;
    const auto rules = ControlRules();
    for (size_t i = 0; i < rules.size(); ++i)
        if (rules[i].property == ControlProperty::Enabled && states.value(i))
            out << QString::fromLatin1(rules[i].control);
    out.sort();
    return out;
}

QStringList Sorted(QStringList list)
{
    list.sort();
    return list;
}

ControlFacts Facts(int rows, int selected, bool previewing, bool converting, SourceMode mode)
{
    return ControlFacts{rows, selected, previewing, converting, mode};
}

constexpr SourceMode File = SourceMode::FileRows;
constexpr SourceMode Dvd = SourceMode::DvdRows;

// The three list-changing additions that only the rows and selected blocks set.
const QStringList kKept{"AddIFOFiles1", "AddVideoFiles1", "AddVideoFolder1"};

struct Case {
    const char *what;
    ControlFacts facts;
    QStringList enabled; // besides the kept three, which start enabled and stay so here
    bool startVisible;
};

class ControlStateTable : public testing::TestWithParam<Case> {};

TEST_P(ControlStateTable, EnablesExactlyTheControlsOfItsBlocks)
{
    const Case &c = GetParam();
    const ControlStates states = UpdateControlStates(c.facts, ControlStates());
    QStringList enabled = EnabledControls(states);
    for (const QString &k : kKept)
        enabled.removeAll(k);
    EXPECT_EQ(enabled, Sorted(c.enabled)) << c.what;
    EXPECT_EQ(states.visible("bt_start"), c.startVisible) << c.what;
    EXPECT_TRUE(states.visible("Bt_Convertstop")) << c.what;
}

const QStringList kEmpty{"AddFiles2", "AddFolder2", "bt_dvdopen", "bt_open", "bt_ifo"};
const QStringList kRowsCommon{"AddFolder2", "Clear2", "SelectAll1", "UnselectAll1", "Convert2", "bt_ifo",
                              "bt_clear", "bt_chapte", "bt_set", "bt_start", "bt_all", "bt_none"};
const QStringList kSelectedExtra{"Remove1", "Rename1", "bt_remove", "bt_play", "bt_cut", "cb_audio", "cb_subtitle"};
const QStringList kPreview{"bt_begin", "bt_end", "bt_back", "bt_next", "bt_playstop", "bt_images", "cb_audio",
                           "cb_subtitle"};
const QStringList kConverting{"Stop2", "Bt_Convertstop"};

INSTANTIATE_TEST_SUITE_P(
    Blocks, ControlStateTable,
    testing::Values(Case{"empty list", Facts(0, -1, false, false, File), kEmpty, true},
                    Case{"empty list in DVD mode", Facts(0, -1, false, false, Dvd), kEmpty, true},
                    Case{"rows in file mode", Facts(3, -1, false, false, File), kRowsCommon + QStringList{"bt_open"}, true},
                    Case{"rows in DVD mode", Facts(3, -1, false, false, Dvd),
                         kRowsCommon + QStringList{"AddFiles2", "bt_dvdopen"}, true},
                    Case{"selected row in file mode", Facts(3, 1, false, false, File),
                         kRowsCommon + kSelectedExtra + QStringList{"bt_open"}, true},
                    Case{"selected row in DVD mode", Facts(3, 0, false, false, Dvd),
                         kRowsCommon + kSelectedExtra + QStringList{"AddFiles2", "bt_dvdopen"}, true},
                    Case{"preview of the selected row", Facts(3, 0, true, false, File), kPreview, true},
                    Case{"conversion", Facts(3, 0, false, true, File), kConverting, false},
                    Case{"conversion of an empty list", Facts(0, -1, false, true, Dvd), kConverting, false},
                    Case{"conversion during a preview", Facts(3, 2, true, true, File), kConverting, false}));

TEST(ControlStates, ModeDecidesTheAddCommandsOfRowsAndSelection)
{
    const ControlStates file = UpdateControlStates(Facts(2, 0, false, false, File), ControlStates());
    EXPECT_TRUE(file.enabled("bt_open"));
    EXPECT_FALSE(file.enabled("bt_dvdopen"));
    EXPECT_TRUE(file.enabled("AddVideoFiles1"));
    EXPECT_TRUE(file.enabled("AddVideoFolder1"));
    EXPECT_FALSE(file.enabled("AddIFOFiles1"));
    EXPECT_FALSE(file.enabled("AddFiles2"));

    const ControlStates dvd = UpdateControlStates(Facts(2, -1, false, false, Dvd), ControlStates());
    EXPECT_FALSE(dvd.enabled("bt_open"));
    EXPECT_TRUE(dvd.enabled("bt_dvdopen"));
    EXPECT_FALSE(dvd.enabled("AddVideoFiles1"));
    EXPECT_TRUE(dvd.enabled("AddIFOFiles1"));
}

// With an empty list (previewing or converting or not) the three menu
// additions keep what the last rows or selection update set.
TEST(ControlStates, BlocksWithoutAValueKeepThePreviousState)
{
    const ControlStates dvdRows = UpdateControlStates(Facts(2, -1, false, false, Dvd), ControlStates());
    for (const ControlFacts &f : {Facts(0, -1, false, false, File), Facts(0, -1, true, false, File),
                                  Facts(0, -1, false, true, File)}) {
        const ControlStates next = UpdateControlStates(f, dvdRows);
        EXPECT_TRUE(next.enabled("AddIFOFiles1"));
        EXPECT_FALSE(next.enabled("AddVideoFiles1"));
        EXPECT_FALSE(next.enabled("AddVideoFolder1"));
    }
    // Everything else is set by every update, whatever came before.
    const ControlStates fromDvd = UpdateControlStates(Facts(0, -1, false, false, File), dvdRows);
    const ControlStates fresh = UpdateControlStates(Facts(0, -1, false, false, File), ControlStates());
    const auto rules = ControlRules();
    for (size_t i = 0; i < rules.size(); ++i) {
        if (!kKept.contains(QString::fromLatin1(rules[i].control))) {
            EXPECT_EQ(fromDvd.value(i), fresh.value(i)) << rules[i].control;
        }
    }
}

TEST(ControlStates, PauseIsNeverEnabled)
{
    for (bool previewing : {false, true})
        for (bool converting : {false, true})
            for (int rows : {0, 4})
                EXPECT_FALSE(UpdateControlStates(Facts(rows, rows ? 0 : -1, previewing, converting, File), ControlStates())
                                 .enabled("bt_pause"));
}

TEST(ControlStates, EveryRuleReachesTheSinkOnce)
{
    struct Sink : ControlStateSink {
        QStringList calls;
        void setControlEnabled(const QString &c, bool e) override { calls << c + ".Enabled=" + (e ? "1" : "0"); }
        void setControlVisible(const QString &c, bool v) override { calls << c + ".Visible=" + (v ? "1" : "0"); }
    } sink;
    ApplyControlStates(UpdateControlStates(Facts(1, 0, false, true, File), ControlStates()), sink);
    EXPECT_EQ(sink.calls.size(), qsizetype(ControlRules().size()));
    EXPECT_EQ(QSet<QString>(sink.calls.begin(), sink.calls.end()).size(), sink.calls.size());
    EXPECT_TRUE(sink.calls.contains("bt_start.Visible=0"));
    EXPECT_TRUE(sink.calls.contains("Bt_Convertstop.Enabled=1"));
    EXPECT_TRUE(sink.calls.contains("bt_start.Enabled=0"));
}

TEST(ControlStates, UnknownControlIsAnError)
{
    EXPECT_THROW(ControlStates().enabled("bt_nothing"), std::invalid_argument);
    EXPECT_THROW(ControlStates().visible("bt_begin"), std::invalid_argument);
}

} // namespace
