#include "platform/encoders/mydvd/sector_feed.h"

#include <algorithm>

SectorFeed::SectorFeed(DvdTitleSet &disc, uint32_t first, uint32_t last) : m_disc(disc), m_next(first), m_last(last)
{
    if (last >= disc.sectors())
        throw DvdError("sectors " + std::to_string(first) + ".." + std::to_string(last) + " lie past the end of title set " +
                       TitleSetText(disc.number()) + ", which has " + std::to_string(disc.sectors()) + " sectors");
    const uint32_t count = std::min<uint32_t>(kOpeningSectors, last - first + 1);
    m_buffer.resize(size_t(std::max(count, kChunkSectors)) * kSectorSize);
    fill(count);
    m_firstPicturePts = PadBeforeFirstPicture(m_buffer.data(), count);
    for (size_t at = 0; at < m_filled; at += kSectorSize) {
        m_opening.add(m_buffer.data() + at);
        if (!m_firstPicturePts)
            m_firstPicturePts = PackVideoPts(m_buffer.data() + at);
    }
}

void SectorFeed::check(const unsigned char *sectors, uint32_t first, uint32_t count) const
{
    for (uint32_t i = 0; i < count; ++i) {
        if (!PackIsScrambled(sectors + size_t(i) * kSectorSize))
            continue;
        const std::string where = "sector " + std::to_string(first + i) + " of title set " + TitleSetText(m_disc.number());
        if (m_disc.canDecrypt())
            throw DiscEncrypted("the DVD is encrypted and libdvdcss could not unscramble " + where);
        throw DiscEncrypted("the DVD is encrypted (" + where +
                            " is scrambled) and libdvdcss is not installed: it cannot be ripped");
    }
}

void SectorFeed::fill(uint32_t count)
{
    const uint32_t at = m_next;
    m_disc.read(at, count, m_buffer.data());
    m_next += count;
    m_filled = size_t(count) * kSectorSize;
    check(m_buffer.data(), at, count);
    if (m_moved && *m_moved >= at && *m_moved - at < count) {
        unsigned char *moved = m_buffer.data() + size_t(*m_moved - at) * kSectorSize;
        const Sector padding = PaddingPack(moved);
        std::copy(padding.begin(), padding.end(), moved);
    }
}

std::optional<uint32_t> SectorFeed::findAhead(int stream, const std::function<bool()> &stopped)
{
    std::vector<unsigned char> chunk(size_t(kChunkSectors) * kSectorSize);
    for (uint32_t at = m_next; at <= m_last && !stopped();) {
        const uint32_t count = std::min<uint32_t>(kChunkSectors, m_last - at + 1);
        m_disc.read(at, count, chunk.data());
        check(chunk.data(), at, count);
        for (uint32_t i = 0; i < count; ++i) {
            if (PackStream(chunk.data() + size_t(i) * kSectorSize) == stream)
                return at + i;
        }
        at += count;
    }
    return std::nullopt;
}

void SectorFeed::moveForward(uint32_t sector)
{
    Sector pack;
    m_disc.read(sector, 1, pack.data());
    m_prefixes.push_back(pack);
    m_moved = sector;
}

std::string_view SectorFeed::next()
{
    if (m_prefixesGiven < m_prefixes.size()) {
        const Sector &pack = m_prefixes[m_prefixesGiven++];
        return {reinterpret_cast<const char *>(pack.data()), kSectorSize};
    }
    if (m_filled == 0) {
        if (m_next > m_last || !m_readError.empty())
            return {};
        try {
            fill(std::min<uint32_t>(kChunkSectors, m_last - m_next + 1));
        } catch (const DiscEncrypted &) {
            throw;
        } catch (const DvdError &e) {
            m_readError = e.what();
            return {};
        }
    }
    for (size_t at = 0; at < m_filled; at += kSectorSize)
        m_given.add(m_buffer.data() + at);
    const size_t size = m_filled;
    m_filled = 0;
    return {reinterpret_cast<const char *>(m_buffer.data()), size};
}
