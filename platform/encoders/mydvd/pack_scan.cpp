#include "platform/encoders/mydvd/pack_scan.h"

#include <cstring>

namespace {

constexpr unsigned char kPackStart = 0xba;
constexpr unsigned char kPrivateStream1 = 0xbd;

bool StartCode(const unsigned char *p, unsigned char id) { return p[0] == 0 && p[1] == 0 && p[2] == 1 && p[3] == id; }

// Offset of the pack's first packet after the MPEG-2 pack header and its stuffing; 0 for no such pack.
size_t PacketOffset(const unsigned char *sector)
{
    if (!StartCode(sector, kPackStart) || (sector[4] & 0xc0) != 0x40)
        return 0;
    return 14 + (sector[13] & 7);
}

// Offset of the MPEG-2 PES packet (private stream 1, audio or video) of the pack; 0 for none.
size_t PesOffset(const unsigned char *sector)
{
    const size_t at = PacketOffset(sector);
    if (at == 0 || at + 9 > kSectorSize || sector[at] != 0 || sector[at + 1] != 0 || sector[at + 2] != 1)
        return 0;
    const unsigned char id = sector[at + 3];
    const bool media = id == kPrivateStream1 || (id >= 0xc0 && id <= 0xef);
    if (!media || (sector[at + 6] & 0xc0) != 0x80)
        return 0;
    return at;
}

uint64_t PtsAt(const unsigned char *p)
{
    return (uint64_t(p[0] >> 1) & 7) << 30 | uint64_t(p[1]) << 22 | uint64_t(p[2] >> 1) << 15 | uint64_t(p[3]) << 7 |
           uint64_t(p[4] >> 1);
}

void PutPts(unsigned char *p, uint64_t pts)
{
    p[0] = static_cast<unsigned char>(0x21 | ((pts >> 29) & 0x0e));
    p[1] = static_cast<unsigned char>(pts >> 22);
    p[2] = static_cast<unsigned char>(0x01 | ((pts >> 14) & 0xfe));
    p[3] = static_cast<unsigned char>(pts >> 7);
    p[4] = static_cast<unsigned char>(0x01 | ((pts << 1) & 0xfe));
}

void PutLength(unsigned char *p, size_t length)
{
    p[0] = static_cast<unsigned char>(length >> 8);
    p[1] = static_cast<unsigned char>(length);
}

// A padding packet from p to the end of the pack.
void PutPadding(Sector &pack, unsigned char *p)
{
    const size_t rest = size_t(pack.data() + kSectorSize - p);
    p[0] = 0, p[1] = 0, p[2] = 1, p[3] = 0xbe;
    PutLength(p + 4, rest - 6);
    std::memset(p + 6, 0xff, rest - 6);
}

// The pack header of model without its stuffing; returns where the first packet goes.
unsigned char *CopyPackHeader(Sector &pack, const unsigned char *model)
{
    std::memcpy(pack.data(), model, 14);
    pack[13] &= 0xf8;
    return pack.data() + 14;
}

bool IsAudio(int stream) { return (stream >= 0x80 && stream <= 0xaf) || (stream >= 0x1c0 && stream <= 0x1df); }

std::optional<uint64_t> PackPts(const unsigned char *sector)
{
    const size_t at = PesOffset(sector);
    if (at == 0 || (sector[at + 7] & 0x80) == 0 || sector[at + 8] < 5)
        return std::nullopt;
    return PtsAt(sector + at + 9);
}

// A video pack whose packet holds a sequence or GOP header: decoding can start there.
bool StartsGroupOfPictures(const unsigned char *sector)
{
    if (PackStream(sector) != 0x1e0)
        return false;
    const size_t at = PesOffset(sector);
    for (size_t p = at + 9 + sector[at + 8]; p + 4 <= kSectorSize; ++p) {
        if (sector[p] == 0 && sector[p + 1] == 0 && sector[p + 2] == 1 && (sector[p + 3] == 0xb3 || sector[p + 3] == 0xb8))
            return true;
    }
    return false;
}

void MakePadding(unsigned char *sector)
{
    const Sector padding = PaddingPack(sector);
    std::memcpy(sector, padding.data(), kSectorSize);
}

} // namespace

int PackStream(const unsigned char *sector)
{
    const size_t at = PesOffset(sector);
    if (at == 0)
        return -1;
    const unsigned char id = sector[at + 3];
    if (id != kPrivateStream1)
        return 0x100 | id;
    const size_t substream = at + 9 + sector[at + 8];
    return substream < kSectorSize ? sector[substream] : -1;
}

bool PackIsScrambled(const unsigned char *sector)
{
    const size_t at = PesOffset(sector);
    return at != 0 && (sector[at + 6] & 0x30) != 0;
}

std::optional<uint64_t> PackVideoPts(const unsigned char *sector)
{
    const int stream = PackStream(sector);
    return stream >= 0x1e0 && stream <= 0x1ef ? PackPts(sector) : std::nullopt;
}

std::optional<uint64_t> PadBeforeFirstPicture(unsigned char *packs, size_t count)
{
    size_t first = 0;
    while (first < count && !StartsGroupOfPictures(packs + first * kSectorSize))
        ++first;
    const std::optional<uint64_t> picture = first < count ? PackPts(packs + first * kSectorSize) : std::nullopt;
    if (!picture)
        return std::nullopt;
    for (size_t i = 0; i < first; ++i) {
        if (PackStream(packs + i * kSectorSize) == 0x1e0)
            MakePadding(packs + i * kSectorSize);
    }
    std::array<bool, 0x200> reached{};
    for (size_t i = 0; i < count; ++i) {
        unsigned char *pack = packs + i * kSectorSize;
        const int stream = PackStream(pack);
        if (!IsAudio(stream) || reached[size_t(stream)])
            continue;
        const std::optional<uint64_t> pts = PackPts(pack);
        reached[size_t(stream)] = pts && *pts >= *picture;
        if (!reached[size_t(stream)])
            MakePadding(pack);
    }
    return picture;
}

Sector EmptySubpicturePack(const unsigned char *model, int subtitleId, uint64_t pts)
{
    Sector pack{};
    unsigned char *p = CopyPackHeader(pack, model);
    // A subpicture unit of one control sequence that only stops the display.
    const unsigned char unit[] = {0x00, 0x0a, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x02, 0xff};
    const size_t body = 3 + 5 + 1 + sizeof unit; // flags, header length, PTS, substream, unit
    p[0] = 0, p[1] = 0, p[2] = 1, p[3] = kPrivateStream1;
    PutLength(p + 4, body);
    p[6] = 0x81;
    p[7] = 0x80; // a PTS and nothing else
    p[8] = 5;
    PutPts(p + 9, pts);
    p[14] = static_cast<unsigned char>(subtitleId);
    std::memcpy(p + 15, unit, sizeof unit);
    PutPadding(pack, p + 6 + body);
    return pack;
}

Sector PaddingPack(const unsigned char *model)
{
    Sector pack{};
    PutPadding(pack, CopyPackHeader(pack, model));
    return pack;
}

void PackStreams::add(const unsigned char *sector)
{
    const int stream = PackStream(sector);
    if (stream < 0 || m_seen[size_t(stream)])
        return;
    m_seen[size_t(stream)] = true;
    m_order.push_back(stream);
}

bool PackStreams::has(int stream) const { return stream >= 0 && stream < int(m_seen.size()) && m_seen[size_t(stream)]; }

int PackStreams::firstAudio() const
{
    for (const int stream : m_order) {
        if (IsAudio(stream))
            return stream;
    }
    return -1;
}
