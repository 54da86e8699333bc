#pragma once

// Where a "vts://" address points: a sector range of one title set's title
// VOBs on a disc folder, with the audio stream and subtitle to play:
//   vts://TT*START*END*AUDIO*SUBTITLE*/folder
// Everything after the fifth "*" is the folder (blanks and "*" included).

#include <QString>
#include <cstdint>
#include <optional>

struct VtsLocation {
    int titleSet = 0;
    int32_t startSector = 0;
    int32_t endSector = 0; // inclusive
    int audioId = 0;       // 0: the player's own choice
    int subtitleId = 0;    // 0: none
    QString folder;

    int64_t sectorCount() const { return int64_t(endSector) - startSector + 1; }
};

// Nothing for an address of another form, a title set outside 1..99, or a
// range that is empty or negative.
std::optional<VtsLocation> ParseVtsLocation(const QString &address);
