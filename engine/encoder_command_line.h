#pragma once

// The encoder command line of a file conversion, joined from a job's pieces.

#include "engine/records.h"

#include <QString>

QString FileConversionCommandLine(const intputrec &job);
