#include "main/links/web_thread_owner.h"

#include "platform/http/http_download.h"

namespace {

constexpr unsigned long kCloseWaitMs = 1000;

} // namespace

WebThreadOwner::WebThreadOwner(std::shared_ptr<HttpClient> client, QObject *parent)
    : QObject(parent), m_client(std::move(client))
{
}

WebThreadOwner::~WebThreadOwner()
{
    if (!running())
        return;
    m_client->abort();
    m_thread->wait(kCloseWaitMs);
}

void WebThreadOwner::run(QThread *thread)
{
    m_thread = thread;
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, &WebThreadOwner::finished, Qt::QueuedConnection);
    thread->start();
}
