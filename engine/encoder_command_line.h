#pragma once

// The encoder command lines of a file conversion and of a DVD title, joined
// from a job's pieces.

#include "engine/records.h"

#include <QString>

QString FileConversionCommandLine(const intputrec &job);

// The DVD encoder's line: its input is the job's "vts://" address.
QString DvdTitleCommandLine(const intputrec &job);
