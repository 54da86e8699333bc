#pragma once

// The update check. At every start a worker thread fetches this
// executable's version file from the update server into "updatenew.ini" and
// compares it with the installed "update.ini"; when the server's is newer
// the window is told once, on its own thread.
//
// The update base (the server address before the file name) is a setting a
// distribution fills; while it is empty no request is made. Nothing fetched
// is ever run: the check only reads a version number.

#include "main/links/web_thread_owner.h"

#include <QString>
#include <QThread>
#include <memory>

// text with every blank replaced by "-".
QString SpacesToDashes(const QString &text);

// base + the executable's name (without ".exe") with blanks as dashes + ".ini":
// "http://host/update/" and "My Tool 2" give "http://host/update/My-Tool-2.ini".
// Empty when base is no http or https address.
QString UpdateAddress(const QString &base, const QString &executableName);

// [versinon] "versinon" of an ini file; a missing file, section or key is 0.
int VersionOf(const QString &iniPath);

// The update folder: "update" beside the executable, which holds the
// installed "update.ini". When that folder cannot be written, the fetched
// file goes to "update" in the per-user folder instead.
struct UpdateFolders {
    QString installed;
    QString perUser;
};

// Steps of TMyUPdate.Execute: fetches address into "updatenew.ini" through a
// temporary file (a failed transfer, or an answer longer than
// kSmallPageMaxBytes, leaves the previous file as it was) and answers whether
// its version is above the installed one. Every failure answers false; a
// missing installed update folder ends the check.
bool CheckForUpdate(HttpClient &client, const QString &address, const UpdateFolders &folders);

// The worker thread of the check; its owner lets it free itself when it ends.
class TMyUPdate : public QThread {
    Q_OBJECT
public:
    TMyUPdate(std::shared_ptr<HttpClient> client, QString address, UpdateFolders folders);

    void Execute();

signals:
    // The server has a newer version.
    void newVersion();

protected:
    void run() override { Execute(); }

private:
    std::shared_ptr<HttpClient> m_client;
    QString m_address;
    UpdateFolders m_folders;
};

// Starts the check and ends it with its owner.
class UpdateCheck : public WebThreadOwner {
    Q_OBJECT
public:
    explicit UpdateCheck(std::shared_ptr<HttpClient> client, QObject *parent = nullptr);

    // Nothing happens for an empty address.
    void start(const QString &address, const UpdateFolders &folders);

signals:
    // Delivered to the owner's thread.
    void newVersion();
};
