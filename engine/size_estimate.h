#pragma once

// The total bit rate of a profile's output and the estimated output size of
// each source row ("Output Size" column).

#include "engine/engine_state.h"
#include "engine/settings_model.h"

#include <QString>
#include <optional>

// The rows the estimate walks; the source list implements it.
class EstimateRows {
public:
    virtual ~EstimateRows() = default;
    virtual int estimateRowCount() const = 0;
    virtual QString sourceFrameSize(int row) const = 0; // "WxH" of the row's source
    virtual QString sourceDuration(int row) const = 0;  // "hh:mm:ss"
    virtual void setEstimatedSize(int row, const QString &text) = 0;
};

// Total kbit/s (video plus audio) of the current profile with the settings
// window's choices, for a row whose source frame size is given (its height is
// used when the last frame-size item is chosen). 1 when a rate cannot be read.
int GetTotalBitrate(const EngineState &state, const SettingsModel &settings, const QString &sourceFrameSize);

// The audio kbit/s the total counts: the quality's rate, the AMR mode rounded
// for ".3gp" and ".amr" outputs, 1500 for ".wav"; nothing when no audio quality is chosen.
std::optional<int> CountedAudioKbps(const EngineState &state, const SettingsModel &settings);

// "<MB>MB" for `kbps` during `seconds`, two decimals, at most five significant digits.
QString FormatEstimatedSize(int kbps, int seconds);

// Rewrites every row's estimate; the current estimate row ends on the last row.
void UpdateAllEstimatedSizes(EngineState &state, const SettingsModel &settings, EstimateRows &rows);
