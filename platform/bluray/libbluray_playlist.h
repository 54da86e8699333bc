#pragma once

// A playlist read through libbluray: the disc is opened at its root (the
// folder above BDMV) and the playlist is asked for by its number. libbluray
// finds its files by the names the disc format gives them (BDMV, PLAYLIST,
// five digits and ".mpls" in that case), so only such a path has a place.

#include "platform/bluray/playlist_facts.h"

#include <QString>
#include <optional>

struct DiscPlaylistPlace {
    QString root;     // the folder that holds BDMV
    uint32_t number = 0; // 800 for 00800.mpls
};

// The disc root and number of a playlist at <root>/BDMV/PLAYLIST/nnnnn.mpls;
// nothing for any other path.
std::optional<DiscPlaylistPlace> LibblurayPlaylistPlace(const QString &path);

// Nothing when the disc cannot be opened or the playlist read.
std::optional<PlaylistFacts> ReadWithLibbluray(const DiscPlaylistPlace &place);
