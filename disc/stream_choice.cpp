#include "disc/stream_choice.h"

#include "disc/ifo_titles.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"

#include <algorithm>

namespace {

bool rowHasChoice(int row)
{
    return row >= 0 && row < DiscState::kChoiceRows;
}

bool rowHasStreams(const SourceList &list, int row)
{
    return rowHasChoice(row) && row < list.rowCount() && row < list.convertInfo().size();
}

} // namespace

QString TakeBeforeParen(const QString &text)
{
    const qsizetype open = text.indexOf(QLatin1Char('('));
    return open < 0 ? QString() : text.left(open);
}

void ResetStreamChoices(DiscState &disc)
{
    disc.AudioChoice.fill(0);
    disc.SubtitleChoice.fill(0);
}

int32_t StoredAudioChoice(const DiscState &disc, int row)
{
    return rowHasChoice(row) ? disc.AudioChoice[size_t(row)] : 0;
}

int32_t StoredSubtitleChoice(const DiscState &disc, int row)
{
    return rowHasChoice(row) ? disc.SubtitleChoice[size_t(row)] : 0;
}

void FillStreamCombos(DiscState &disc, int row, ComboModel &audio, ComboModel &subtitle,
                      const QString &noSubtitle)
{
    const TIFOSelint *source = nullptr;
    for (const TIFOSelint &entry : std::as_const(disc.TIFOAS))
        if (entry.firstRow <= row && row <= entry.endRow)
            source = &entry;
    if (!source)
        return;

    QStringList audioItems;
    const int audioStreams = std::min<int>(int(source->audioDescriptions.size()), DiscState::kDescTableSize);
    for (int j = 0; j < audioStreams; ++j) {
        audioItems << TakeBeforeParen(source->audioDescriptions.at(j));
        disc.AudioDescTable[size_t(j)] = source->audioDescriptions.at(j);
    }
    audio.SetItems(audioItems);
    audio.SetItemIndex(StoredAudioChoice(disc, row));

    QStringList subtitleItems{noSubtitle};
    const int subtitles = std::min<int>(int(source->subPictureDescriptions.size()), DiscState::kDescTableSize);
    for (int j = 0; j < subtitles; ++j) {
        subtitleItems << TakeBeforeParen(source->subPictureDescriptions.at(j));
        disc.SubtitleDescTable[size_t(j)] = source->subPictureDescriptions.at(j);
    }
    subtitle.SetItems(subtitleItems);
    subtitle.SetItemIndex(StoredSubtitleChoice(disc, row));
}

void ChooseAudioStream(DiscState &disc, SourceList &list, int row, int index)
{
    if (!rowHasStreams(list, row) || index < 0 || index >= DiscState::kDescTableSize)
        return;
    disc.AudioChoice[size_t(row)] = index;
    list.convertInfo()[row].audioId = ExtractStreamId(disc.AudioDescTable[size_t(index)]);
}

void ChooseSubtitle(DiscState &disc, SourceList &list, int row, int index)
{
    if (!rowHasStreams(list, row) || index < 0 || index > DiscState::kDescTableSize)
        return;
    disc.SubtitleChoice[size_t(row)] = index;
    list.convertInfo()[row].subtitleId =
        index == 0 ? QStringLiteral("0") : ExtractStreamId(disc.SubtitleDescTable[size_t(index - 1)]);
}
