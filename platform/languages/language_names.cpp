#include "platform/languages/language_names.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char *const kSystemTable = "/usr/share/iso-codes/json/iso_639-2.json";

// Two-letter codes withdrawn from ISO 639-1 that older discs still carry.
struct WithdrawnCode {
    const char *old;
    const char *current;
};
constexpr WithdrawnCode kWithdrawnCodes[] = {
    {"iw", "he"}, {"in", "id"}, {"ji", "yi"}, {"jw", "jv"}, {"mo", "ro"},
};

QString NormalCode(const QString &code) { return code.trimmed().toLower(); }

} // namespace

LanguageNames LanguageNames::fromFile(const QString &path)
{
    LanguageNames table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QJsonArray entries = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("639-2")).toArray();
    for (const QJsonValue &value : entries) {
        const QJsonObject entry = value.toObject();
        const QString name = entry.value(QStringLiteral("name")).toString();
        if (name.isEmpty())
            continue;
        for (const char *key : {"alpha_2", "alpha_3", "bibliographic"}) {
            const QString code = NormalCode(entry.value(QLatin1String(key)).toString());
            if (!code.isEmpty())
                table.names_.insert(code, name);
        }
    }
    for (const WithdrawnCode &w : kWithdrawnCodes) {
        const auto current = table.names_.constFind(QLatin1String(w.current));
        if (current == table.names_.constEnd() || table.names_.contains(QLatin1String(w.old)))
            continue;
        // A copy: inserting may move the entries, the one `current` refers to as well.
        const QString name = current.value();
        table.names_.insert(QLatin1String(w.old), name);
    }
    return table;
}

QString LanguageNames::fullName(const QString &code) const
{
    return names_.value(NormalCode(code), code);
}

QString LanguageNames::shortName(const QString &code) const
{
    const QString name = fullName(code);
    const qsizetype end = name.indexOf(QLatin1String("; "));
    return end < 0 ? name : name.left(end);
}

namespace {

const LanguageNames &SystemLanguageNames()
{
    static const LanguageNames table = LanguageNames::fromFile(QString::fromLatin1(kSystemTable));
    return table;
}

} // namespace

QString LanguageName(const QString &code) { return SystemLanguageNames().fullName(code); }

QString ShortLanguageName(const QString &code) { return SystemLanguageNames().shortName(code); }
