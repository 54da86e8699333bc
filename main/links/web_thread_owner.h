#pragma once

// A transfer of the program's HTTP client on a thread of its own, and the
// object that owns it. The thread frees itself when it ends; its owner ends
// it: a transfer still running when the owner goes is aborted and waited for
// (a tenth of a second, never more than one), so closing the window never
// waits on a server.

#include <QObject>
#include <QPointer>
#include <QThread>
#include <memory>

class HttpClient;

// The version file and the first-run page are a few lines each: an answer
// longer than this is no such file, and nothing of it is kept.
inline constexpr qint64 kSmallPageMaxBytes = 64 * 1024;

class WebThreadOwner : public QObject {
    Q_OBJECT
public:
    ~WebThreadOwner() override;

    bool running() const { return m_thread && m_thread->isRunning(); }
    QThread *thread() const { return m_thread; }
    HttpClient &client() const { return *m_client; }

signals:
    // The thread has ended (delivered to the owner's thread).
    void finished();

protected:
    WebThreadOwner(std::shared_ptr<HttpClient> client, QObject *parent);
    // Starts thread, which the owner keeps until it ends.
    void run(QThread *thread);

    std::shared_ptr<HttpClient> m_client; // shared, so a late thread never uses a freed client

private:
    QPointer<QThread> m_thread;
};
