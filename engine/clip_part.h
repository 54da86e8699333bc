#pragma once

// The part of a row that a conversion or a snapshot takes: the cut marks may
// be set in any order, but a part whose end does not come after its begin is
// refused where it would be used.

#include "engine/records.h"

#include <QString>

class LanguageTexts;
class SourceList;

// The end comes after the begin; a row shorter than a second, from 0 to 0,
// is whole. (A DVD row's marks set its sectors with its seconds.)
bool ClipPartUsable(const ClipRange &clip);

// The first of `rows` whose part cannot be used; -1 when all can.
int FirstUnusablePart(const SourceList &list, const QVector<int> &rows);

// The refusal that names the row.
QString UnusablePartRefusal(const LanguageTexts &texts, const QString &caption);
