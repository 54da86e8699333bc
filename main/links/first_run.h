#pragma once

// The first start of the program on a machine: the help page opens and a
// first-run page is fetched into "temp.txt" beside the executable. That file
// is also what marks the first start as done: while it is neither beside the
// executable nor (where the program's folder cannot be written) in the
// per-user folder, the start is a first one.

#include <QString>

class HttpClient;
class Shell;

// The user agent of every request after the first-run fetch.
inline constexpr char kFirstRunUserAgent[] =
    "Mozilla/4.0(compatible;MSIE6.0;WindowsNT5.0;MyIE2;CustomExchangeBrowser;.NETCLR1.1.4322)";

struct FirstRunFolders {
    QString installed; // the executable's folder
    QString perUser;
};

bool IsFirstRun(const FirstRunFolders &folders);

// Opens helpPage (when it is a web address), writes "temp.txt", switches the
// client to the first-run user agent and fetches pageAddress into the file,
// waiting for it. Every failure is silent; an address that is no http or
// https page is not fetched.
void FirstRunWeb(Shell &shell, const QString &helpPage, HttpClient &client, const QString &pageAddress,
                 const FirstRunFolders &folders);
