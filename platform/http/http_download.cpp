#include "platform/http/http_download.h"

#include "platform/http/curl_library.h"

#include <QIODevice>
#include <curl/curl.h>

namespace {

struct Transfer {
    QIODevice *file = nullptr;
    HttpClient *client = nullptr;
    qint64 bytes = 0;
    qint64 maxBytes = -1;
    bool writeFailed = false;
    bool tooLong = false;
};

size_t WriteBody(char *data, size_t size, size_t count, void *context)
{
    auto *t = static_cast<Transfer *>(context);
    const qint64 length = qint64(size * count);
    if (t->maxBytes >= 0 && t->bytes + length > t->maxBytes) {
        t->tooLong = true;
        return 0; // curl ends the transfer with a write error
    }
    if (t->file->write(data, length) != length) {
        t->writeFailed = true;
        return 0; // curl ends the transfer with a write error
    }
    t->bytes += length;
    if (t->client->onWork)
        t->client->onWork(t->bytes);
    return size_t(length);
}

// How long the transfer loop sleeps at most before it looks at the abort flag.
constexpr int kPollMs = 100;

// Runs the transfer through a multi handle, so that an abort from another
// thread is seen within one poll whatever the server does.
CURLcode Perform(CURLM *multi, CURL *easy, const std::atomic<bool> &aborted)
{
    if (curl_multi_add_handle(multi, easy) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    for (bool done = false; !done && !aborted;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        int queued = 0;
        while (CURLMsg *message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                result = message->data.result;
                done = true;
            }
        }
        if (!done)
            curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
    }
    curl_multi_remove_handle(multi, easy);
    return result;
}

} // namespace

// Made by the first Get, so that a client made at the program's start does
// not load libcurl before the window shows.
struct HttpClient::Handle {
    std::mutex mutex; // guards the two against abort() from another thread
    CURL *curl = nullptr;
    CURLM *multi = nullptr;
};

HttpClient::HttpClient() : m_handle(std::make_unique<Handle>()) {}

HttpClient::~HttpClient()
{
    if (m_handle->curl)
        curl_easy_cleanup(m_handle->curl);
    if (m_handle->multi)
        curl_multi_cleanup(m_handle->multi);
}

void HttpClient::abort()
{
    m_aborted = true;
    const std::lock_guard<std::mutex> lock(m_handle->mutex);
    if (m_handle->multi)
        curl_multi_wakeup(m_handle->multi);
}

void HttpClient::Get(const QString &url, QIODevice &file, qint64 maxBodyBytes)
{
    const std::lock_guard<std::mutex> lock(m_transfer);
    if (const QString problem = CurlLibraryProblem(); !problem.isEmpty())
        throw HttpError("GET " + url.toStdString() + " failed: " + problem.toStdString());
    {
        const std::lock_guard<std::mutex> handles(m_handle->mutex);
        if (!m_handle->curl) {
            m_handle->curl = curl_easy_init();
            if (m_handle->curl) // the cookie engine on, with no file: cookies live as long as the client
                curl_easy_setopt(m_handle->curl, CURLOPT_COOKIEFILE, "");
        }
        if (!m_handle->multi)
            m_handle->multi = curl_multi_init();
    }
    CURL *curl = m_handle->curl;
    if (!curl || !m_handle->multi)
        throw HttpError("HTTP client could not be made");

    const QByteArray address = url.toUtf8();
    const QByteArray agent = userAgent.toUtf8();
    const QByteArray acceptHeader = "Accept: " + accept.toUtf8();
    const QByteArray typeHeader = "Content-Type: " + contentType.toUtf8();
    curl_slist *headers = curl_slist_append(nullptr, acceptHeader.constData());
    headers = curl_slist_append(headers, typeHeader.constData());

    Transfer transfer{&file, this};
    transfer.maxBytes = maxBodyBytes;
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.constData());
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(totalTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);

    if (onWorkBegin)
        onWorkBegin();
    const CURLcode code = Perform(m_handle->multi, curl, m_aborted);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_slist_free_all(headers);
    if (onWorkEnd)
        onWorkEnd();

    if (code == CURLE_OK)
        return;
    std::string reason = error[0] ? error : curl_easy_strerror(code);
    if (transfer.tooLong)
        reason = "the answer is longer than " + std::to_string(maxBodyBytes) + " bytes";
    else if (transfer.writeFailed)
        reason = "the downloaded data could not be written: " + file.errorString().toStdString();
    else if (m_aborted)
        reason = "the program is closing";
    throw HttpError("GET " + address.toStdString() + " failed: " + reason);
}
