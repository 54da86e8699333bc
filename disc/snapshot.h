#pragma once

// The snapshot (bt_images): the frame of the previewed row at the position
// shown, saved as a BMP picture in the output folder under a name that is
// never taken twice. The DVD player writes a DVD row's picture itself; a file
// row's is one short job of the file encoder in conversion slot 0.

#include "engine/records.h"

#include <QString>
#include <functional>

class Dialogs;
class LanguageTexts;
class PreviewControl;
class SettingsModel;
class SourceList;
struct DiscState;
struct EngineState;

// folder (ending in "/") + the caption without leading blanks and folder part,
// its extension replaced by ".bmp"; while that exists, folder + the caption as
// it stands + "_1.bmp", "_2.bmp", ...
QString SnapshotFileName(const QString &folder, const QString &caption,
                         const std::function<bool(const QString &)> &exists);

// The encoder job that writes the frame at `playTime` of the file at
// `input` into `output`: one picture, in the profile's frame size. At the
// file's end (`playTime` at or past `rowSeconds`, its length) no frame starts
// there: the picture is then the last frame, the one the player shows.
intputrec SnapshotJob(const EngineState &state, const SettingsModel &settings, const QString &input,
                      const QString &playTime, int32_t rowSeconds, const QString &output);

struct SnapshotTarget {
    SourceList &list;
    const DiscState &disc;
    EngineState &engine;
    const SettingsModel &settings;
    const LanguageTexts &texts;
    Dialogs &dialogs;
    PreviewControl &preview;
    // StartSlotJob of the conversion queue (slot, job index, job).
    std::function<void(int slot, int jobIndex, const intputrec &job)> startSlotJob;
};

// Tfm_main.bt_imagesClick. A file row without a picture (sound only) is
// refused with a message before anything starts.
void TakeSnapshot(const SnapshotTarget &target);
