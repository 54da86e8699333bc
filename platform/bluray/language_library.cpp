#include "platform/bluray/language_library.h"

#include "platform/languages/language_names.h"

QString getlag(const QString &code) { return LanguageName(code); }
