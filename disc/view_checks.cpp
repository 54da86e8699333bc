#include "disc/view_checks.h"

#include "engine/source_list.h"

namespace {

struct ViewChecks {
    QVector<uint8_t> &states;
    bool &made;
};

ViewChecks currentView(DiscState &disc)
{
    if (disc.chapterView)
        return {disc.ChapterChecks, disc.chapterChecksMade};
    return {disc.TitleChecks, disc.titleChecksMade};
}

} // namespace

void DiscardCheckStates(DiscState &disc)
{
    disc.TitleChecks.clear();
    disc.ChapterChecks.clear();
    disc.titleChecksMade = false;
    disc.chapterChecksMade = false;
}

void CheckEveryRow(DiscState &disc, SourceList &list)
{
    SetEveryCheck(disc, list, true);
}

void SetEveryCheck(DiscState &disc, SourceList &list, bool checked)
{
    const ViewChecks view = currentView(disc);
    view.states.fill(checked ? 1 : 0, list.rowCount());
    view.made = true;
    for (int i = 0; i < list.rowCount(); ++i)
        list.setChecked(i, checked);
}

void StoreCheckStates(DiscState &disc, const SourceList &list)
{
    const ViewChecks view = currentView(disc);
    view.states.resize(list.rowCount());
    for (int i = 0; i < list.rowCount(); ++i)
        view.states[i] = list.row(i).checked ? 1 : 0;
    view.made = true;
}

void RestoreCheckStates(DiscState &disc, SourceList &list)
{
    const ViewChecks view = currentView(disc);
    if (!view.made) {
        CheckEveryRow(disc, list);
        return;
    }
    const int known = int(view.states.size());
    view.states.resize(list.rowCount());
    for (int i = known; i < list.rowCount(); ++i)
        view.states[i] = 1;
    for (int i = 0; i < list.rowCount(); ++i)
        list.setChecked(i, view.states[i] != 0);
}
