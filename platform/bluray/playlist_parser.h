#pragma once

// The playlist parser of the Blu-ray import ("bdifo3.dll"): one playlist file
// at a time becomes the current playlist, and its clips and streams are asked
// for by index. Buffers have the sizes the import passes: six bytes for a
// clip name (all six used when the name has no room for a NUL), four for a
// language code.

#include <QString>
#include <cstdint>
#include <memory>

class PlaylistParser {
public:
    virtual ~PlaylistParser() = default;

    // The playlist's clip count, below 1 when it cannot be used; fills its
    // seconds and its stream counts (zeros when it cannot be used).
    virtual int ParserFile(const QString &path, int32_t *seconds, int32_t *videos, int32_t *audios,
                           int32_t *subtitles) = 0;
    // Clip `index` of the current playlist: its name and its value. An index
    // outside the playlist gives an empty name and 0.
    virtual int GetM2TS(int index, char (&name)[6], int32_t *value) = 0;
    virtual int GetVideo(int index, int32_t *value1, int32_t *value2, int32_t *value3) = 0;
    virtual int GetAudio(int index, int32_t *value1, int32_t *value2, char (&language)[4]) = 0;
    virtual int GetSub(int index, int32_t *value1, int32_t *value2, char (&language)[4]) = 0;
    // Releases the current playlist.
    virtual void EndParser() = 0;
};

// Over libbluray where the playlist lies on a disc it can open, over our own
// playlist reader otherwise (a bare playlist folder, names in another case)
// and where libbluray gives nothing.
std::unique_ptr<PlaylistParser> MakeBlurayPlaylistParser();
