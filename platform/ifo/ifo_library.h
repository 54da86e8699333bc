#pragma once

// The IFO reader: what the DVD list is made of, read from one title-set IFO
// file (VTS_nn_0.IFO): its program chains with their cells and times, its
// video, audio and subpicture streams. Handles are plain numbers; 0 is none.
// Every description is copied out as text, so nothing refers into the reader.

#include <QString>
#include <cstdint>
#include <memory>

using IfoHandle = std::uintptr_t;

// One cell of a program chain, laid out as the list readers expect it.
#pragma pack(push, 1)
struct IfoCell {
    int32_t firstSector; // bytes 0-3
    int32_t lastSector;  // bytes 4-7
    uint8_t unused[5];   // bytes 8-12
    uint8_t hours;       // byte 13
    uint8_t minutes;     // byte 14
    uint8_t seconds;     // byte 15
    uint8_t unused2;     // byte 16
};
#pragma pack(pop)
static_assert(sizeof(IfoCell) == 17, "a cell record is 17 bytes");

// A playback time as plain binary numbers (the disc stores it in BCD).
struct IfoTime {
    uint8_t hours = 0;
    uint8_t minutes = 0;
    uint8_t seconds = 0;
    uint8_t unused = 0;
};

class IfoLibrary {
public:
    virtual ~IfoLibrary() = default;

    // 0 when the file cannot be read as a title-set IFO file. flags: 0.
    virtual IfoHandle ifoOpen(const QString &path, int flags) = 0;
    // Releases what ifoOpen took; 0 is ignored.
    virtual void ifoClose(IfoHandle h) = 0;

    // Program chains of the title set.
    virtual int ifoGetNumPGCI(IfoHandle h) = 0;
    // "AC3 English 2ch 48kHz (0x80)": format first, stream id in the four
    // characters before ")".
    virtual int ifoGetNumAudio(IfoHandle h) = 0;
    virtual QString ifoGetAudioDesc(IfoHandle h, int index) = 0;
    // "English (0x20)".
    virtual int ifoGetNumSubPic(IfoHandle h) = 0;
    virtual QString ifoGetSubPicDesc(IfoHandle h, int index) = 0;
    // The chain's cell count; *time receives the chain's playback time.
    virtual int ifoGetPGCIInfo(IfoHandle h, int chain, IfoTime *time) = 0;
    // Writes at most `capacity` cells of the chain, in play order; returns how many.
    virtual int ifoGetPGCICells(IfoHandle h, int chain, IfoCell *cells, int capacity) = 0;
    // "MPEG2 720x480 NTSC 4:3": format first, frame size second.
    virtual QString ifoGetVideoDesc(IfoHandle h) = 0;
};

// The reader over libdvdread.
std::unique_ptr<IfoLibrary> MakeDvdReadIfoLibrary();
