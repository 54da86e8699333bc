#pragma once

// The language library of the Blu-ray import ("getlanguage.dll"): the
// English name of a stream's ISO 639-2 code from the iso-codes table.

#include <QString>

// "English" for "eng"; an unknown code gives the code itself.
QString getlag(const QString &code);
