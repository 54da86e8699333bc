#include "engine/clip_part.h"

#include "engine/language_texts.h"
#include "engine/source_list.h"

bool ClipPartUsable(const ClipRange &clip)
{
    return clip.clipEnd > clip.clipBegin || (clip.clipBegin == 0 && clip.clipEnd == 0);
}

int FirstUnusablePart(const SourceList &list, const QVector<int> &rows)
{
    for (int row : rows)
        if (!ClipPartUsable(list.clipRanges().value(row)))
            return row;
    return -1;
}

QString UnusablePartRefusal(const LanguageTexts &texts, const QString &caption)
{
    return texts.Lug(QStringLiteral("MessageDlg"),
                     QStringLiteral("The end of the part to convert must come after its begin. Set the cut marks "
                                    "of this row again:")) +
           QStringLiteral("\n") + caption;
}
