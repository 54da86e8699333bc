#pragma once

// The cut marks: while a row is previewed, the position shown becomes the
// begin or the end of the part of it that a conversion takes. File rows keep
// the seconds; DVD rows also the sector the DVD player is at, and their
// seconds count from the title's start, as the reader's own do for chapters;
// the span of their title seconds becomes the part's length, which the DVD
// rip converts.

#include "engine/records.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class PreviewControl;
class SourceList;
struct DiscState;
struct EngineState;

enum class CutMark { Begin, End };

// The row's clip with the mark set at `seconds` (and, for DVD rows, at
// `sector`), taken as it comes: the order of the marks is judged where the
// part is used (ClipPartUsable).
ClipRange MarkedClip(const ClipRange &clip, CutMark mark, int32_t seconds, std::optional<int32_t> sector);

struct CutMarkTarget {
    SourceList &list;
    const DiscState &disc;
    const EngineState &engine;
    PreviewControl &preview;
    // "begin_time" or "End_time" shows the mark; redrawn.
    std::function<void(const QString &object, const QString &text)> setSkinText;
};

// SetCutBegin and SetCutEnd (bt_begin, bt_end): on the previewed row, when a
// row is selected. The row's "Conversion time" shows the length between the marks.
void SetCutBegin(const CutMarkTarget &target);
void SetCutEnd(const CutMarkTarget &target);
