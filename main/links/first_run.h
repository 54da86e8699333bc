#pragma once

// The first start of the program on a machine: the help page opens and a
// first-run page is fetched into "temp.txt" beside the executable. That file
// is also what marks the first start as done: while it is neither beside the
// executable nor (where the program's folder cannot be written) in the
// per-user folder, the start is a first one.

#include "main/links/web_thread_owner.h"

#include <QString>

class Shell;

// The user agent of every request after the first-run fetch.
inline constexpr char kFirstRunUserAgent[] =
    "Mozilla/4.0(compatible;MSIE6.0;WindowsNT5.0;MyIE2;CustomExchangeBrowser;.NETCLR1.1.4322)";

struct FirstRunFolders {
    QString installed; // the executable's folder
    QString perUser;
};

bool IsFirstRun(const FirstRunFolders &folders);

// The transfer of the first-run page into the marker, on its own thread.
class FirstRunFetch : public WebThreadOwner {
    Q_OBJECT
public:
    explicit FirstRunFetch(std::shared_ptr<HttpClient> client, QObject *parent = nullptr);

    void start(const QString &address, const QString &markerPath);
};

// Writes the page at address into markerPath once it has arrived whole; a
// failed transfer, or a page longer than kSmallPageMaxBytes, leaves the
// marker as it was. Every failure is silent.
void FetchFirstRunPage(HttpClient &client, const QString &address, const QString &markerPath);

// Opens helpPage (when it is not empty), makes "temp.txt", switches the
// fetch's client to the first-run user agent and starts the fetch of
// pageAddress into the file; it returns without waiting for the server.
// Every failure is silent; an address that is no http or https page is not
// fetched.
void FirstRunWeb(Shell &shell, const QString &helpPage, FirstRunFetch &fetch, const QString &pageAddress,
                 const FirstRunFolders &folders);
