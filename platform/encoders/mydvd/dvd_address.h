#pragma once

// The "vts://" address of a DVD rip: which sectors of which title set, which
// audio stream and subtitle, and the folder that holds the disc:
//   vts://TT*START*END*AUDIO*SUBTITLE*/folder
// TT is the title-set number, START and END the first and last sector
// (counted from the start of the title set's title VOBs), AUDIO and
// SUBTITLE stream ids such as 0x80 and 0x20 ("0" or nothing: none chosen).
// Everything after the fifth "*" is the folder, blanks, "*" and all.

#include <QString>
#include <cstdint>

struct DvdAddress {
    int titleSet = 0;
    uint32_t startSector = 0;
    uint32_t endSector = 0;
    int audioId = 0;    // 0: none chosen
    int subtitleId = 0; // 0: none
    QString folder;
};

// Throws RequestError (encoder_request.h) for an address of another form.
DvdAddress ParseDvdAddress(const QString &address);

// "0x81" as a number (the address writes ids in hexadecimal).
QString StreamIdText(int id);
