#include "main/dialogs/frame_size_check.h"

#include "platform/ini/integer_text.h"

namespace {

std::optional<int> Positive(QStringView text)
{
    const auto value = ParseIntegerText(text);
    if (!value || *value <= 0)
        return std::nullopt;
    return *value;
}

} // namespace

std::optional<int> ParseCustomSizeWidth(const QString &text)
{
    const qsizetype x = text.indexOf(u'x');
    if (x < 0)
        return std::nullopt;
    return Positive(QStringView(text).left(x));
}

std::optional<int> ParseCustomSizeHeight(const QString &text)
{
    const qsizetype x = text.indexOf(u'x');
    if (x < 0)
        return std::nullopt;
    QStringView rest = QStringView(text).mid(x + 1);
    const qsizetype bracket = rest.indexOf(u'(');
    if (bracket >= 0)
        rest = rest.left(bracket);
    return Positive(rest);
}

int FrameSizeWarnings(const QStringList &sizeItems, const QString &text)
{
    if (sizeItems.value(sizeItems.size() - 1) == QLatin1String("The original width and height") ||
        sizeItems.contains(text))
        return 0;
    return (ParseCustomSizeWidth(text) ? 0 : 1) + (ParseCustomSizeHeight(text) ? 0 : 1);
}
