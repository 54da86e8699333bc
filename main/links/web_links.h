#pragma once

// The web pages the program opens, and which addresses it accepts.
//
// Each link command reads its address from "Skin.ini"; a missing key gives a
// built-in page, for the last three one per value of [version] "version".
// The built-in pages sit on a reserved placeholder domain: a distribution
// puts its own addresses into "Skin.ini". No page exists there, so the
// program's own help page, beside the executable, stands in for every
// address on that domain.

#include <QString>
#include <functional>

// Reads one "Skin.ini" text: section, key, default.
using SkinText = std::function<QString(const QString &, const QString &, const QString &)>;

enum class LinkCommand { Help1Click, FeedbackandSupport1Click, AboutRavenmoor1Click, bt_webClick };

// The address a link command opens; empty when "Skin.ini" names no http or https page.
QString LinkAddress(LinkCommand command, int version, const SkinText &skin);

// The contact page of the edition's web site: the first site's when
// [version] "version" is true, else the second's support page.
QString ContactPageAddress(int version);

// An http or https address: text as it stands, or resolved against base when
// it is relative (a bare page name). Empty for anything else, so no file,
// program or other scheme is ever handed to the desktop or fetched.
QString WebAddress(const QString &text, const QString &base = QString());

// An address on the placeholder domain of the built-in pages (or one below it).
bool IsPlaceholderAddress(const QString &address);

// What opens for a checked web address: the help page file for a placeholder
// address, else the address itself.
QString PageToOpen(const QString &address, const QString &helpFile);
