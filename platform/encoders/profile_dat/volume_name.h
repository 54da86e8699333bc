#pragma once

// The name profile.dat reports for a disc: the label of the disc in the
// optical drive (or mounted disc image) that holds the folder, from the
// links udev keeps in /dev/disk/by-label; for a folder on any other drive,
// or a disc without a label, the folder's own name.

#include <QString>

// udev writes unsafe characters of a label as \xHH: "MY\x20DISC" → "MY DISC".
QString UnescapeUdevLabel(const QString &name);

// The label whose link in byLabelFolder leads to `device`; empty when none.
QString LabelOfDevice(const QString &byLabelFolder, const QString &device);

// The volume name for `folder` (an existing folder) given this process's
// mount table text.
QString VolumeName(const QString &folder, const QString &mountinfo,
                   const QString &byLabelFolder = QStringLiteral("/dev/disk/by-label"));
