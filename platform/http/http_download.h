#pragma once

// The program's HTTP client: a GET of an address into an open file, with
// work notifications at the start, while the body arrives and at the end.
// One client keeps its cookies for the run. It goes to the host directly
// (no proxy from the environment, no authentication), takes http and https
// addresses only, and gives up after its time-outs, so a dead server cannot
// hold a caller forever. Get may be called from any thread, one transfer at
// a time; abort() may be called from any other thread.

#include <QString>
#include <atomic>
#include <chrono>
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
    // Until the connection stands, and for the whole transfer.
    std::chrono::milliseconds connectTimeout{10000};
    std::chrono::milliseconds totalTimeout{30000};

    // Called on the thread that runs Get.
    std::function<void()> onWorkBegin;
    std::function<void(qint64 bytesSoFar)> onWork;
    std::function<void()> onWorkEnd;

    // Writes the response body of a GET of `url` into `file` (open for
    // writing). Throws HttpError on any failure; the file then holds what
    // had arrived. A body longer than maxBodyBytes (when not negative) ends
    // the transfer as soon as it passes that size, and nothing of the part
    // past it is written.
    void Get(const QString &url, QIODevice &file, qint64 maxBodyBytes = -1);

    // Ends a running Get within a tenth of a second (it throws) and makes
    // every later one throw at once: the program is closing.
    void abort();

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    std::mutex m_transfer;
    std::atomic<bool> m_aborted{false};
};
