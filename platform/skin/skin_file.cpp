#include "platform/skin/skin_file.h"

#include "platform/skin/skin_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <array>
#include <utility>

namespace {

struct KindName {
    SkinKind kind;
    const char *name;
    bool text, slider; // facets beside the frame
};
constexpr std::array kKindNames{
    KindName{SkinKind::Text, "text", true, false},       KindName{SkinKind::Button, "button", false, false},
    KindName{SkinKind::Slider, "slider", false, true},   KindName{SkinKind::Bar, "bar", false, false},
    KindName{SkinKind::Panel, "panel", false, false},    KindName{SkinKind::Hotspot, "hotspot", false, false},
};

const KindName &kindEntry(SkinKind kind)
{
    return *std::find_if(kKindNames.begin(), kKindNames.end(), [kind](const KindName &k) { return k.kind == kind; });
}

struct AlignName {
    SkinAlign align;
    const char *name;
};
constexpr std::array kAlignNames{
    AlignName{SkinAlign::Left, "left"},
    AlignName{SkinAlign::Center, "center"},
    AlignName{SkinAlign::Right, "right"},
};

// Collects the context of every message: file, section, object.
class Reader {
public:
    explicit Reader(QString path) : m_path(std::move(path)) {}

    [[noreturn]] void fail(const QString &what) const
    {
        QString where = QStringLiteral("Skin file \"%1\"").arg(m_path);
        if (!m_section.isEmpty())
            where += QStringLiteral(", section \"%1\"").arg(m_section);
        if (!m_object.isEmpty())
            where += QStringLiteral(", object \"%1\"").arg(m_object);
        throw SkinError(where + QStringLiteral(": ") + what);
    }

    SkinSectionDef section(const QString &name, const QJsonValue &value)
    {
        m_section = name;
        m_object.clear();
        if (!value.isObject())
            fail(QStringLiteral("a section must be an object"));
        const QJsonObject o = value.toObject();
        SkinSectionDef s;
        s.name = name;
        const QJsonArray size = o.value(QStringLiteral("size")).toArray();
        if (size.size() != 2 || !isInt(size[0]) || !isInt(size[1]) || size[0].toInt() <= 0 ||
            size[1].toInt() <= 0)
            fail(QStringLiteral("\"size\" must be [width, height] in pixels"));
        s.width = size[0].toInt();
        s.height = size[1].toInt();
        s.background = string(o, "background");
        QSet<QString> names;
        objects(o.value(QStringLiteral("objects")), -1, s.objects, names);
        m_section.clear();
        return s;
    }

private:
    static bool isInt(const QJsonValue &v)
    {
        return v.isDouble() && v.toDouble() == static_cast<double>(v.toInt());
    }

    QString string(const QJsonObject &o, const char *key) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isString())
            fail(QStringLiteral("\"%1\" must be a text").arg(QLatin1String(key)));
        return v.toString();
    }

    bool boolean(const QJsonObject &o, const char *key, bool def) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return def;
        if (!v.isBool())
            fail(QStringLiteral("\"%1\" must be true or false").arg(QLatin1String(key)));
        return v.toBool();
    }

    int integer(const QJsonObject &o, const char *key, int def) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return def;
        if (!isInt(v))
            fail(QStringLiteral("\"%1\" must be a whole number").arg(QLatin1String(key)));
        return v.toInt();
    }

    void objects(const QJsonValue &value, int parent, std::vector<SkinObjectDef> &out,
                 QSet<QString> &names)
    {
        if (value.isUndefined())
            return;
        if (!value.isArray())
            fail(QStringLiteral("\"objects\" and \"children\" must be lists"));
        for (const QJsonValue &item : value.toArray()) {
            m_object.clear();
            if (!item.isObject())
                fail(QStringLiteral("an object must be a JSON object"));
            const QJsonObject o = item.toObject();
            SkinObjectDef def = object(o);
            if (names.contains(def.name))
                fail(QStringLiteral("the name is used twice"));
            names.insert(def.name);
            def.parent = parent;
            const int index = static_cast<int>(out.size());
            out.push_back(std::move(def));
            objects(o.value(QStringLiteral("children")), index, out, names);
        }
        m_object.clear();
    }

    SkinObjectDef object(const QJsonObject &o)
    {
        SkinObjectDef s;
        s.name = string(o, "name");
        if (s.name.isEmpty())
            fail(QStringLiteral("an object has no \"name\""));
        m_object = s.name;
        if (!SkinKindFromName(string(o, "kind"), &s.kind))
            fail(QStringLiteral("\"kind\" must be one of text, button, slider, bar, panel, hotspot"));
        const QJsonArray r = o.value(QStringLiteral("rect")).toArray();
        if (r.size() != 4 || !isInt(r[0]) || !isInt(r[1]) || !isInt(r[2]) || !isInt(r[3]))
            fail(QStringLiteral("\"rect\" must be [left, top, right, bottom] in pixels"));
        s.rect = {r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()};
        if (s.rect.right < s.rect.left || s.rect.bottom < s.rect.top)
            fail(QStringLiteral("\"rect\" ends before it starts"));
        s.visible = boolean(o, "visible", true);
        s.passive = boolean(o, "passive", false);
        s.picture = string(o, "picture");
        s.hover = string(o, "hover");
        s.pressed = string(o, "pressed");
        s.disabled = string(o, "disabled");
        s.action = string(o, "action");
        if (!s.action.isEmpty() && s.action != QLatin1String("close"))
            fail(QStringLiteral("the only \"action\" is \"close\""));
        s.text = string(o, "text");
        const QString color = string(o, "color");
        if (!color.isEmpty()) {
            s.color = QColor::fromString(color);
            if (!s.color.isValid())
                fail(QStringLiteral("\"color\" is no colour: %1").arg(color));
        }
        const QJsonValue font = o.value(QStringLiteral("font"));
        if (!font.isUndefined()) {
            if (!font.isObject())
                fail(QStringLiteral("\"font\" must be an object"));
            s.fontSize = integer(font.toObject(), "size", s.fontSize);
            s.bold = boolean(font.toObject(), "bold", false);
            if (s.fontSize <= 0)
                fail(QStringLiteral("the font size must be positive"));
        }
        const QString align = string(o, "align");
        if (!align.isEmpty()) {
            const auto *it = std::find_if(kAlignNames.begin(), kAlignNames.end(),
                                          [&](const AlignName &a) { return align == QLatin1String(a.name); });
            if (it == kAlignNames.end())
                fail(QStringLiteral("\"align\" must be left, center or right"));
            s.align = it->align;
        }
        const QString elide = string(o, "elide");
        if (elide == QLatin1String("middle"))
            s.elide = SkinElide::Middle;
        else if (!elide.isEmpty() && elide != QLatin1String("right"))
            fail(QStringLiteral("\"elide\" must be right or middle"));
        s.track = string(o, "track");
        s.thumb = string(o, "thumb");
        s.position = integer(o, "position", 0);
        if (s.position < 0 || s.position > 10000)
            fail(QStringLiteral("\"position\" must lie between 0 and 10000"));
        return s;
    }

    QString m_path;
    QString m_section;
    QString m_object;
};

} // namespace

QString SkinKindName(SkinKind kind)
{
    return QLatin1String(kindEntry(kind).name);
}

bool SkinKindHasText(SkinKind kind)
{
    return kindEntry(kind).text;
}

bool SkinKindHasSlider(SkinKind kind)
{
    return kindEntry(kind).slider;
}

bool SkinKindFromName(const QString &name, SkinKind *kind)
{
    for (const KindName &k : kKindNames)
        if (name == QLatin1String(k.name)) {
            *kind = k.kind;
            return true;
        }
    return false;
}

const SkinSectionDef *SkinFile::section(const QString &name) const
{
    const auto it = sections.find(name);
    return it == sections.end() ? nullptr : &it->second;
}

QString SkinFile::picturePath(const QString &relative) const
{
    return QDir(folder).absoluteFilePath(relative);
}

SkinFile ParseSkinText(const QByteArray &text, const QString &path)
{
    Reader reader(path);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        reader.fail(QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset));
    if (!doc.isObject() || !doc.object().value(QStringLiteral("sections")).isObject())
        reader.fail(QStringLiteral("the file must be an object with \"sections\""));
    SkinFile file;
    file.path = path;
    file.folder = QFileInfo(path).absolutePath();
    const QJsonObject sections = doc.object().value(QStringLiteral("sections")).toObject();
    for (auto it = sections.begin(); it != sections.end(); ++it)
        file.sections.emplace(it.key(), reader.section(it.key(), it.value()));
    return file;
}

SkinFile ReadSkinFile(const QString &path)
{
    QFile f(path);
    if (!f.exists())
        throw SkinError(QStringLiteral("Skin file \"%1\" does not exist").arg(path));
    if (!f.open(QIODevice::ReadOnly))
        throw SkinError(QStringLiteral("Skin file \"%1\" cannot be read: %2").arg(path, f.errorString()));
    return ParseSkinText(f.readAll(), path);
}
