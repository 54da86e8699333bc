#pragma once

// The program's HTTP client: a GET of an address into an open file, with
// work notifications at the start, while the body arrives and at the end.
// One client keeps its cookies for the run. It goes to the host directly
// (no proxy, no authentication) and waits as long as the server takes.
// Get may be called from any thread, one transfer at a time.

#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>

class QIODevice;

// The transfer failed: no connection, a protocol error, an HTTP error
// status, or the file would not take the body. what() says which.
class HttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HttpClient {
public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient &) = delete;
    HttpClient &operator=(const HttpClient &) = delete;

    QString accept = QStringLiteral("text/html, */*");
    QString contentType = QStringLiteral("text/html");
    QString userAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");

    // Called on the thread that runs Get.
    std::function<void()> onWorkBegin;
    std::function<void(qint64 bytesSoFar)> onWork;
    std::function<void()> onWorkEnd;

    // Writes the response body of a GET of `url` into `file` (open for
    // writing). Throws HttpError on any failure; the file then holds what
    // had arrived.
    void Get(const QString &url, QIODevice &file);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    std::mutex m_transfer;
};
