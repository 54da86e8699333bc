#pragma once

// The playlists of a Blu-ray disc as rows of the source list: the playlist
// folder found from any folder of the disc, every playlist read through the
// playlist parser, short ones and duplicates dropped, the rest listed longest
// first as file rows of their first clip.

#include "disc/bluray_info.h"

#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>

class PlaylistParser;
class SourceList;
struct EngineState;

struct BlurayReadTarget {
    SourceList &list;
    EngineState &engine;
    PlaylistParser &parser;
    std::function<QString(const QString &code)> languageName; // a stream's language code to its name
    QString statusText;                             // the "Status" column of a new row
    std::function<QString(int32_t)> estimatedSize;  // the "Output Size" of the estimate row; may be empty
    std::function<void()> pumpMessages;             // one round of pending window events; may be empty
    std::function<void()> lvClick;                  // the list's click handler; may be empty
};

// Playlists shorter than this are menus, logos and warnings.
inline constexpr int32_t kMinPlaylistSeconds = 6;

// The playlist folder of the disc `folder` belongs to (its root, its BDMV
// folder or any folder inside BDMV, or a folder holding playlist files), with
// a trailing "/"; empty when there is none. Folder names are matched in any
// letter case and the result spells them as the disc does.
QString FindPlaylistFolder(const QString &folder, const std::function<void()> &pumpMessages = {});

// 0 when no accepted playlist has the clips of `playlist`; 1 when one that has
// them is longer, 2 when it is at most as long (the last such one decides). An
// accepted playlist that starts with the same clip but differs in its stream
// choices or clip count ends the test with 0.
int CompareBluRayTitle(const QVector<TBlurayinfo> &accepted, const TBlurayinfo &playlist);

// Reads every playlist of the disc in name order and, when any passes,
// replaces the list's rows with one file row per listed playlist, longest
// first ("Title_01", ...); row 0 is selected and checked and the list is in
// file mode then. `titles` ends holding the playlist of every row, by row.
// Neither the list nor `titles` changes when no playlist passes.
void LoadBluRayTitles(const QString &folder, const BlurayReadTarget &target, QVector<TBlurayinfo> &titles);
