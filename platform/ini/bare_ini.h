#pragma once

// An ini file "opened by bare name", without a folder: it lives in the
// per-user config folder (created by the first write).

#include "platform/ini/ini_file.h"
#include "platform/paths/program_paths.h"

inline TIniFile OpenIniByBareName(const ProgramPaths &paths, const QString &bareName)
{
    return TIniFile(paths.configFile(bareName));
}
