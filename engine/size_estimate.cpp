#include "engine/size_estimate.h"

#include "engine/float_format.h"
#include "engine/profile_captions.h"
#include "engine/profile_number.h"
#include "engine/quality_tables.h"
#include "engine/text_helpers.h"
#include "platform/ini/integer_text.h"

#include <QLocale>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

using FactorRow = std::array<double, 5>;
constexpr FactorRow kDefaultFactors{6.25, 4.16, 3.33, 2.13, 1.51};
constexpr FactorRow kMiniFactors{3.33, 2.13, 1.51, 1.06, 0.8};
constexpr FactorRow kExcellentFactors{10.41, 8.33, 6.25, 4.16, 3.33};

struct FactorChoice {
    int profile;
    const FactorRow *row;
};
constexpr FactorChoice kFactorRows[] = {
    {118, &kMiniFactors},
    {121, &kMiniFactors},
    {120, &kExcellentFactors},
    {123, &kExcellentFactors},
};

const FactorRow &factorsFor(int profile)
{
    for (const FactorChoice &c : kFactorRows)
        if (c.profile == profile)
            return *c.row;
    return kDefaultFactors;
}

struct FixedTotal {
    int profile;
    int kbps;
};
constexpr FixedTotal kDiscTargetTotals[] = {{112, 1393}, {113, 1948}, {114, 3222}};

// The frame height the height-rated profiles multiply; nullopt when it is not a number.
std::optional<int> heightOf(const SettingsModel &settings, const QString &sourceFrameSize, bool &fromSource)
{
    const ComboModel &size = settings.cb_size;
    QString h;
    fromSource = size.HasChosenItem() && size.ItemIndex() == size.Count() - 1;
    if (fromSource) {
        const qsizetype x = sourceFrameSize.indexOf(u'x');
        if (x < 0)
            return std::nullopt;
        h = sourceFrameSize.mid(x + 1);
    } else {
        const QString t = size.Text();
        const qsizetype x = t.indexOf(u'x');
        if (x < 0)
            return std::nullopt;
        const qsizetype paren = t.indexOf(u'(');
        if (paren >= 0 && paren < x)
            return std::nullopt;
        h = paren >= 0 ? t.mid(x + 1, paren - x - 1) : t.mid(x + 1);
    }
    return ParseIntegerText(h);
}

constexpr int kFailedTotal = 1;

} // namespace

int GetTotalBitrate(const EngineState &state, const SettingsModel &settings, const QString &sourceFrameSize)
{
    const int p = state.currentProfile;
    for (const FixedTotal &t : kDiscTargetTotals)
        if (t.profile == p)
            return t.kbps;

    const int videoIndex = settings.cb_videobitrate.ItemIndex();
    int video = 0;
    if (IsSlotRated(p)) {
        // A video quality index beyond the five columns (no item chosen) names no rate.
        if (state.videoRateSlots[0] != u"*" && IsQualityIndex(videoIndex)) {
            const std::optional<int> rate = ParseIntegerText(state.videoRateSlots[videoIndex]);
            if (!rate)
                return kFailedTotal;
            video = *rate;
        }
    } else if (IsQualityIndex(videoIndex)) {
        bool fromSource = false;
        const std::optional<int> height = heightOf(settings, sourceFrameSize, fromSource);
        if (height)
            video = int(std::nearbyint(*height * factorsFor(p)[videoIndex]));
        else if (fromSource)
            return kFailedTotal;
    }

    const std::optional<int> audio = CountedAudioKbps(state, settings);
    return audio ? video + *audio : kFailedTotal;
}

std::optional<int> CountedAudioKbps(const EngineState &state, const SettingsModel &settings)
{
    const int index = settings.cb_audiobitrate.ItemIndex();
    if (!IsQualityIndex(index))
        return std::nullopt;
    const QString ext = GetProfileExtension(state);
    if (ext == u".3gp" || ext == u".amr")
        return kAmrKbpsRounded[index];
    if (ext == u".wav")
        return kWavKbps;
    return kAudioKbps[index];
}

QString FormatEstimatedSize(int kbps, int seconds)
{
    const int64_t kilobits = int64_t(kbps) * seconds;
    const double megabytes = double(kilobits) / 8 / 1024 * 1000 / 1024;
    return FormatFixed(megabytes, 5, 2, QLocale().decimalPoint().at(0)) + QStringLiteral("MB");
}

void UpdateAllEstimatedSizes(EngineState &state, const SettingsModel &settings, EstimateRows &rows)
{
    const int count = rows.estimateRowCount();
    for (int row = 0; row < count; ++row) {
        state.currentEstimateRow = row;
        const int seconds = HmsToSeconds(rows.sourceDuration(row));
        rows.setEstimatedSize(row, FormatEstimatedSize(GetTotalBitrate(state, settings, rows.sourceFrameSize(row)), seconds));
    }
}
