#pragma once

// The sectors of a range as ffmpeg's standard input: read from the disc in
// chunks as ffmpeg takes them, so that no more than the opening of the range
// (a couple of megabytes) is ever held. The opening is read first, to learn
// which streams the range holds before ffmpeg starts; a stream that starts
// later is looked for ahead, a chunk at a time, and its first pack given
// before the range, so that ffmpeg knows the stream from the start. Every
// pack is checked for CSS scrambling on its way.

#include "platform/encoders/mydvd/dvd_title_set.h"
#include "platform/encoders/mydvd/pack_scan.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DiscEncrypted : public DvdError {
public:
    using DvdError::DvdError;
};

class SectorFeed {
public:
    static constexpr uint32_t kOpeningSectors = 1024;
    static constexpr uint32_t kChunkSectors = 128;

    // Reads the opening of first..last (inclusive). Throws DvdError when the
    // range lies past the title set or cannot be read, DiscEncrypted for
    // scrambled packs.
    SectorFeed(DvdTitleSet &disc, uint32_t first, uint32_t last);

    // The streams of the opening and the time of its first picture; what lies
    // before that picture is not given (pack_scan.h: PadBeforeFirstPicture).
    const PackStreams &opening() const { return m_opening; }
    std::optional<uint64_t> firstPicturePts() const { return m_firstPicturePts; }
    // The first pack of the range (the model of an added pack).
    const unsigned char *firstPack() const { return m_buffer.data(); }

    // A pack given before the range; only before the first call of next().
    void prepend(const Sector &pack) { m_prefixes.push_back(pack); }

    // The first sector after the opening whose pack belongs to stream (in
    // ffmpeg's numbering), reading ahead a chunk at a time; none when the
    // range has no such pack or stopped() came true on the way. Only before
    // the first call of next(). Throws DvdError when the disc cannot be read,
    // DiscEncrypted for scrambled packs.
    std::optional<uint32_t> findAhead(int stream, const std::function<bool()> &stopped);
    // Gives the pack of that sector before the range and padding in its
    // place, so the stream's packets keep their order; only before next().
    void moveForward(uint32_t sector);

    // The next bytes for ffmpeg, valid until the next call; empty at the end
    // of the range and after a read error (readError() says which). Throws
    // DiscEncrypted for a scrambled pack.
    std::string_view next();

    // The streams of every pack given so far.
    const PackStreams &given() const { return m_given; }
    const std::string &readError() const { return m_readError; }

private:
    void fill(uint32_t count); // reads count sectors at m_next into m_buffer and checks them
    void check(const unsigned char *sectors, uint32_t first, uint32_t count) const;

    DvdTitleSet &m_disc;
    uint32_t m_next = 0; // first sector not yet read
    uint32_t m_last = 0;
    std::vector<unsigned char> m_buffer;
    size_t m_filled = 0; // bytes of m_buffer read and not yet given
    std::vector<Sector> m_prefixes;
    size_t m_prefixesGiven = 0;
    std::optional<uint32_t> m_moved; // a sector given before the range
    PackStreams m_opening;
    PackStreams m_given;
    std::optional<uint64_t> m_firstPicturePts;
    std::string m_readError;
};
