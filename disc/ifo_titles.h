#pragma once

// The DVD rows of the source list: one IFO file's program chains read into
// title rows (title view) or title rows each followed by its chapter rows
// (chapter view), with their records, and the rebuild of every IFO file read
// when the view changes.

#include "disc/disc_state.h"

#include <QString>
#include <cstdint>
#include <functional>

class IfoLibrary;
class SourceList;
struct EngineState;

// Where the readers put their rows and what they read them with.
struct IfoReadTarget {
    SourceList &list;
    EngineState &engine;
    IfoLibrary &ifo;
    QString statusText;                             // the "Status" column of a new row
    std::function<QString(int32_t)> estimatedSize;  // the "Output Size" of the estimate row; may be empty
    std::function<void()> redrawList;               // after each kept row; may be empty
};

// Chains beyond this many make a title set unreadable in title view.
inline constexpr int kMaxTitleChains = 500;

int32_t HmsPartsToSeconds(int32_t hours, int32_t minutes, int32_t seconds);
// n as decimal text, at least two digits: 7 → "07", 12 → "12".
QString TwoDigitNumber(int n);
// The four characters just before the first ")" of a stream description
// ("AC3 en 2ch 48kHz (0x80)" → "0x80"); "0" when there is no ")".
QString ExtractStreamId(const QString &description);
// The DVD row spanning the most sectors (the first of equals); 0 when none
// spans any.
int FindLongestTitle(const SourceList &list);

// Read the IFO file of `entry` (its path set by the caller, the entry already
// in TIFOAS) and append its usable titles. The entry's end row stays -1 when
// the file cannot be read, has more than kMaxTitleChains chains or gives no
// title.
void AddIfoTitles(const IfoReadTarget &target, TIFOSelint &entry);
// The same with every usable title followed by its usable chapters (cells).
void AddIfoChapters(const IfoReadTarget &target, TIFOSelint &entry);
// The reader of the view the disc state is in.
void AddIfoInCurrentView(const IfoReadTarget &target, const DiscState &disc, TIFOSelint &entry);

// Flips the view and rebuilds the list from every IFO file read, in order;
// restores the new view's check boxes (rows it has no state for are checked).
// The stream choices are reset: they are kept by row, and the rows of the
// other view are other titles.
void SwitchListView(DiscState &disc, const IfoReadTarget &target);
