#pragma once

// A failure of the skin engine: a skin file that is missing or damaged, a
// section or picture it lacks, or a call in the wrong order. The text names
// the file (and the section, object or picture) so the error box says what to fix.

#include <QString>
#include <stdexcept>

class SkinError : public std::runtime_error {
public:
    explicit SkinError(const QString &text) : std::runtime_error(text.toStdString()) {}
};
