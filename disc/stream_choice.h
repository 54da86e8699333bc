#pragma once

// The audio stream and subtitle of each DVD row: the two lists offer the
// streams of the row's title set, the choice is kept per row and becomes the
// stream ids the DVD encoder and player receive.

#include "disc/disc_state.h"

#include <QString>

class ComboModel;
class SourceList;

// The text before the first "(" ("AC3 en 2ch 48kHz (0x80)" → "AC3 en 2ch
// 48kHz "); empty when there is none.
QString TakeBeforeParen(const QString &text);

// Every row back on its title set's first audio stream and no subtitle.
void ResetStreamChoices(DiscState &disc);

// The row's stored choice; 0 for a row the choice table does not reach.
int32_t StoredAudioChoice(const DiscState &disc, int row);
int32_t StoredSubtitleChoice(const DiscState &disc, int row);

// Fills both lists with the streams of the IFO file the row came from (the
// last one that claims it) and shows the row's choice; noSubtitle is the
// first subtitle item. Lists of a row no file claims stay as they are.
// Streams beyond the description tables are not offered.
void FillStreamCombos(DiscState &disc, int row, ComboModel &audio, ComboModel &subtitle,
                      const QString &noSubtitle);

// The user chose item `index` of the audio list (or of the subtitle list,
// whose item 0 is "no subtitle") for the row: the choice is stored and the
// row's stream id follows it. Rows beyond the choice table and items beyond
// the description tables store nothing.
void ChooseAudioStream(DiscState &disc, SourceList &list, int row, int index);
void ChooseSubtitle(DiscState &disc, SourceList &list, int row, int index);
