#pragma once

// Each profile's caption names it to the user and ends with its output
// extension in brackets, e.g. "AVI-DivX Movie(*.avi)".

#include "engine/engine_state.h"

#include <QString>

// Where a shown profile goes: the category picture beside the caption and the
// skin's "profilestext" object. Implemented by the main window.
class ProfileCaptionDisplay {
public:
    virtual ~ProfileCaptionDisplay() = default;
    // Loads the picture into the category icon; throws when it cannot be read.
    virtual void loadCategoryIcon(const QString &path) = 0;
    // Sets the caption object's text and redraws it.
    virtual void showProfileCaption(const QString &caption) = 0;
};

// The caption of profile n; empty for separators, 0 and numbers above 131.
QString ProfileCaption(int n);

// The text after the first "*" without the caption's last character (".avi"),
// in the caption's own case; empty for an empty caption.
QString ExtensionOfCaption(const QString &caption);
// The extension of the current profile caption.
QString GetProfileExtension(const EngineState &state);

// "images/main/<category>.bmp" beside the executable for categories 1..14, else empty.
QString CategoryIconPath(const QString &exeDir, int category);

// Shows profile n: the category icon (a picture that cannot be loaded throws
// before the caption changes), the caption when n has one, and the caption
// object, which is redrawn for every n.
void ShowProfileCaption(EngineState &state, const QString &exeDir, int n, ProfileCaptionDisplay &display);

// The profile an edition starts with, chosen by substrings of the lower-cased
// executable file name; 9 when none matches.
int DefaultProfileForEdition(const QString &exeFileName);
