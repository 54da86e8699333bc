#pragma once

// Our own reader of a playlist file, for a playlist that libbluray cannot
// reach: a playlist folder without the disc around it, or a disc whose file
// names are not in the case the disc format gives them. It reads exactly what
// PlaylistFacts holds; every length and position is checked against the
// file, so a damaged or cut file gives nothing.

#include "platform/bluray/playlist_facts.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Whether the bytes are a playlist file that holds every table its header
// points to: a file cut short anywhere is not.
bool IsWholePlaylist(const QByteArray &bytes);
// The file's bytes; nothing when it cannot be read or is too big to be a playlist.
std::optional<QByteArray> ReadPlaylistBytes(const QString &path);

std::optional<PlaylistFacts> ReadMplsFacts(const QByteArray &bytes);
std::optional<PlaylistFacts> ReadMplsFile(const QString &path);
