#pragma once

// The bytes of a sector range of one title set's title VOBs, read with
// libdvdread as a seekable stream for the player. Reads go a few sectors at
// a time; nothing beyond one chunk is held.

#include "platform/player/vts_location.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

class DvdStreamError : public std::runtime_error {
public:
    explicit DvdStreamError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

class DvdSectorStream {
public:
    static constexpr int64_t kSectorBytes = 2048;
    static constexpr int kChunkSectors = 64;

    // Opens the disc and reads the first sector of the range. Throws
    // DvdStreamError, saying which disc and sectors, when that fails.
    explicit DvdSectorStream(const VtsLocation &location);
    ~DvdSectorStream();
    DvdSectorStream(const DvdSectorStream &) = delete;
    DvdSectorStream &operator=(const DvdSectorStream &) = delete;

    // Like read(2): bytes read, 0 at the end of the range, -1 on a read
    // error (readError() then says which sectors).
    int64_t read(char *buffer, uint64_t bytes);
    // The new position; -1 outside the range.
    int64_t seek(int64_t offset);
    int64_t size() const { return m_location.sectorCount() * kSectorBytes; }
    const QString &readError() const { return m_readError; }

private:
    bool fill(int64_t sector); // the chunk starting at that sector of the range

    struct Disc;
    VtsLocation m_location;
    std::unique_ptr<Disc> m_disc;
    std::vector<unsigned char> m_chunk;
    int64_t m_chunkSector = -1; // first sector of the range held in m_chunk
    int64_t m_chunkSectors = 0;
    int64_t m_position = 0;     // bytes from the start of the range
    QString m_readError;
};
