#pragma once

// What the 2048-byte packs of a DVD title hold, read from their headers: the
// stream of each pack's packet, whether it is scrambled (CSS) and the
// presentation times of the video. Also the one pack that mydvd.dll adds to
// the stream itself: an empty subpicture, so that ffmpeg knows a subtitle
// stream from the start even where its first picture comes minutes later.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

constexpr size_t kSectorSize = 2048;
using Sector = std::array<unsigned char, kSectorSize>;

// The stream of a pack's packet in ffmpeg's numbering (rip_arguments.h:
// FfmpegStreamId): 0x1e0 video, 0x1c0.. MPEG audio, the substream number for
// private stream 1; -1 for navigation and padding packs and for what is no pack.
int PackStream(const unsigned char *sector);

// True when the pack's packet is scrambled: CSS sets the PES scrambling bits
// and a working decryption clears them.
bool PackIsScrambled(const unsigned char *sector);

// The presentation time (90 kHz) of a video pack's packet, when it carries one.
std::optional<uint64_t> PackVideoPts(const unsigned char *sector);

// The part of a range before its first picture that can be decoded there, made
// padding in packs (count sectors): the video before the first sequence or GOP
// header, and each audio stream's packets until its first one stamped at or
// after that picture. DVD audio is muxed behind the picture, so a part's first
// sectors carry the end of the part before; left in, it would start the
// output's clock early and show the first picture frozen over it. Returns the
// picture's time; none, and nothing changed, when the packs hold no such picture.
std::optional<uint64_t> PadBeforeFirstPicture(unsigned char *packs, size_t count);

// A pack with the pack header of model (the first pack of the range) and an
// empty subpicture of stream subtitleId (0x20..0x3f) shown at pts.
Sector EmptySubpicturePack(const unsigned char *model, int subtitleId, uint64_t pts);

// The pack with the pack header of model and nothing but padding after it:
// what stands in the place of a pack that is given earlier in the stream.
Sector PaddingPack(const unsigned char *model);

// The streams met in a run of packs, in the order they first appear.
class PackStreams {
public:
    void add(const unsigned char *sector);
    bool has(int stream) const;
    const std::vector<int> &inOrder() const { return m_order; }
    // The first private-stream-1 audio or MPEG audio stream, or -1.
    int firstAudio() const;

private:
    std::array<bool, 0x200> m_seen{};
    std::vector<int> m_order;
};
