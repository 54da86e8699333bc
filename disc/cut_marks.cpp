#include "disc/cut_marks.h"

#include "disc/disc_state.h"
#include "disc/preview_control.h"
#include "engine/engine_state.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"

#include <algorithm>

ClipRange MarkedClip(const ClipRange &clip, CutMark mark, int32_t seconds, std::optional<int32_t> sector)
{
    ClipRange marked = clip;
    if (mark == CutMark::Begin) {
        marked.clipBegin = seconds;
        if (sector)
            marked.startSector = *sector;
    } else {
        marked.clipEnd = seconds;
        if (sector)
            marked.endSector = *sector;
    }
    return marked;
}

namespace {

void SetCutMark(const CutMarkTarget &t, CutMark mark)
{
    const int row = t.disc.PreviewRow;
    if (t.list.selectedRow() < 0 || row < 0 || row >= t.list.rowCount() || row >= t.list.clipRanges().size())
        return;
    std::optional<int32_t> sector;
    int32_t origin = 0;
    if (t.engine.sourceMode == SourceMode::DvdRows) {
        int32_t lba = -1;
        t.preview.dvdPlayer().GetBeginLBA(&lba);
        // The player has ended: there is no place to mark.
        if (lba < 0)
            return;
        sector = lba;
        origin = t.list.convertInfo().value(row).startSeconds;
    }
    const QString shown = t.preview.playTimeText();
    ClipRange &clip = t.list.clipRanges()[row];
    clip = MarkedClip(clip, mark, origin + HmsToSeconds(shown), sector);
    // The DVD rip takes its length (the -t piece and its progress divisor) from the
    // row's title seconds: their span follows the marks, their start stays the row's.
    if (sector) {
        TConvertInfo &dvd = t.list.convertInfo()[row];
        dvd.endSeconds = dvd.startSeconds + clip.clipEnd - clip.clipBegin;
    }
    if (t.setSkinText)
        t.setSkinText(mark == CutMark::Begin ? QStringLiteral("begin_time") : QStringLiteral("End_time"), shown);
    // Marks out of order (refused only when the part is used) show no length.
    t.list.setSubItem(row, SourceRow::ConversionTime, SecondsToHms(std::max(0, clip.clipEnd - clip.clipBegin)));
}

} // namespace

void SetCutBegin(const CutMarkTarget &target)
{
    SetCutMark(target, CutMark::Begin);
}

void SetCutEnd(const CutMarkTarget &target)
{
    SetCutMark(target, CutMark::End);
}
