#pragma once

// The reader's texts and numbers made from the raw fields of a title set's
// attributes, as plain functions of those fields.

#include "platform/ifo/ifo_library.h"

#include <QString>
#include <cstdint>

// A playback time from its BCD bytes (the frame byte carries nothing here).
IfoTime IfoTimeFromBcd(uint8_t hours, uint8_t minutes, uint8_t seconds);
// A cell's playback time to the nearest second: its frame byte holds the
// frame rate (top two bits: 1 for 25, 3 for 30 a second) and the frames past
// the last whole second in BCD. A chapter's length is this time, and its
// start the sum of the cells before it, so their fractions must not be lost
// one after another.
IfoTime CellTimeFromBcd(uint8_t hours, uint8_t minutes, uint8_t seconds, uint8_t frames);

// The id the VOB packets of an audio stream carry: the format's first id
// plus the physical stream number (AC3 0x80, DTS 0x88, SDDS 0x90, LPCM 0xA0,
// MPEG 0xC0).
int AudioStreamId(int audioFormat, int streamNumber);
// 0x20 plus the physical stream number.
int SubpictureStreamId(int streamNumber);

// The English name of a stream's two-letter language code (high byte
// first), "Unknown" when the stream has none.
QString StreamLanguage(uint16_t langCode);

// "AC3 English 2ch 48kHz (0x80)"; channels and sampleFrequency are the
// attribute fields (channel count minus one; 0 = 48 kHz, 1 = 96 kHz).
QString AudioDescription(int audioFormat, int channels, int sampleFrequency, uint16_t langCode, int streamId);
// "English (0x20)"
QString SubpictureDescription(uint16_t langCode, int streamId);
// "MPEG2 720x576 PAL 4:3" from the video attribute fields.
QString VideoDescription(int mpegVersion, int videoFormat, int pictureSize, int displayAspectRatio);
