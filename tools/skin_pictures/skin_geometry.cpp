#include "tools/skin_pictures/skin_geometry.h"

#include "tools/pictures/picture_writer.h"

#include <algorithm>

const SkinObjectDef &ObjectDef(const SkinSectionDef &section, const QString &name)
{
    const auto it = std::find_if(section.objects.begin(), section.objects.end(),
                                 [&](const SkinObjectDef &o) { return o.name == name; });
    if (it == section.objects.end())
        throw pictures::PictureError(
            QStringLiteral("Section \"%1\" has no object \"%2\"").arg(section.name, name).toStdString());
    return *it;
}

QRect ObjectRect(const SkinSectionDef &section, const QString &name)
{
    return ObjectDef(section, name).rect.toQRect();
}

int IniNumber(const TIniFile &ini, const QString &section, const QString &key)
{
    if (!ini.ValueExists(section, key))
        throw pictures::PictureError(QStringLiteral("\"%1\" has no [%2] %3")
                                         .arg(ini.FileName(), section, key)
                                         .toStdString());
    return ini.ReadInteger(section, key, 0);
}

QRect IniRect(const TIniFile &ini, const QString &section)
{
    return QRect(IniNumber(ini, section, "Left"), IniNumber(ini, section, "Top"), IniNumber(ini, section, "Width"),
                 IniNumber(ini, section, "Height"));
}
