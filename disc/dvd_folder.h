#pragma once

// Where a DVD's IFO files are found: a chosen folder (a disc's root, its
// VIDEO_TS folder, or any folder holding one) or files picked in the open
// dialog.

#include "disc/disc_state.h"
#include "platform/dialogs/dialogs.h"

#include <QString>
#include <QVector>
#include <functional>

struct IfoReadTarget;

// The open dialog's types for picking IFO files.
const QVector<FileFilter> &IfoFileFilter();

// Reads every title-set IFO file of `folder` in name order (VIDEO_TS.IFO
// aside) into TIFOAS and the list, in the disc state's view; enters a
// "video_ts" subfolder (any letter case) and no other, and stops at the
// first one that held IFO files. pumpMessages runs twice before each entry.
// True when at least one IFO file was read, whether or not it gave rows.
bool ScanFolderForIfo(const QString &folder, DiscState &disc, const IfoReadTarget &target,
                      const std::function<void()> &pumpMessages);
