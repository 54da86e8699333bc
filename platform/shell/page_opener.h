#pragma once

// Web pages handed to the desktop, which shows them in the user's browser.

#include <QString>

class PageOpener {
public:
    virtual ~PageOpener() = default;
    // address: an http or https address the caller has checked, or the file
    // address of the program's own help page.
    virtual void openPage(const QString &address) = 0;
};
