// The HTTP download against a real server on 127.0.0.1: a small Python
// server that serves files, answers errors, echoes the request headers and
// sets and checks a cookie.

#include "platform/http/http_download.h"
#include "tests/support/test_support.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {

const char *kServer = R"PY(
import http.server, sys
class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass
    def reply(self, status, body, headers=()):
        self.send_response(status)
        for k, v in headers:
            self.send_header(k, v)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def do_GET(self):
        if self.path == "/update/My-Tool-2.ini":
            self.reply(200, b"[versinon]\r\nversinon=6\r\n")
        elif self.path == "/big":
            self.reply(200, b"x" * 300000)
        elif self.path == "/endless":
            self.send_response(200)
            self.end_headers()
            try:
                while True:
                    self.wfile.write(b"x" * 65536)
            except OSError:
                pass
        elif self.path == "/headers":
            body = "\n".join("%s: %s" % (k, v) for k, v in self.headers.items())
            self.reply(200, body.encode())
        elif self.path == "/set":
            self.reply(200, b"set", [("Set-Cookie", "run=42; Path=/")])
        elif self.path == "/check":
            self.reply(200, (self.headers.get("Cookie") or "none").encode())
        elif self.path == "/moved":
            self.reply(302, b"", [("Location", "/big")])
        elif self.path == "/broken":
            self.reply(500, b"server error")
        else:
            self.reply(404, b"not found")
server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
)PY";

class HttpDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile script(dir.filePath("server.py"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(kServer);
        script.close();
        server.start("python3", {script.fileName()});
        ASSERT_TRUE(server.waitForStarted());
        ASSERT_TRUE(server.waitForReadyRead(60000)); // python can be slow to start on a busy machine
        port = QString::fromUtf8(server.readLine()).trimmed().toInt();
        ASSERT_GT(port, 0);
    }
    void TearDown() override
    {
        server.kill();
        server.waitForFinished();
    }
    QString url(const char *path) const { return QString("http://127.0.0.1:%1%2").arg(port).arg(path); }
    QByteArray get(HttpClient &client, const char *path)
    {
        QBuffer body;
        body.open(QIODevice::WriteOnly);
        client.Get(url(path), body);
        return body.data();
    }

    QTemporaryDir dir;
    QProcess server;
    int port = 0;
};

TEST_F(HttpDownload, BodyGoesIntoTheOpenFileWithWorkNotifications)
{
    HttpClient client;
    QStringList events;
    qint64 last = 0;
    client.onWorkBegin = [&] {
        events << "begin";
        last = 0;
    };
    client.onWork = [&](qint64 bytes) {
        EXPECT_GE(bytes, last);
        last = bytes;
    };
    client.onWorkEnd = [&] { events << "end"; };
    QFile file(dir.filePath("updatenew.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    client.Get(url("/update/My-Tool-2.ini"), file);
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[versinon]\r\nversinon=6\r\n");
    EXPECT_EQ(events, (QStringList{"begin", "end"}));

    EXPECT_EQ(get(client, "/big").size(), 300000);
    EXPECT_EQ(last, 300000);
    EXPECT_EQ(get(client, "/moved").size(), 300000) << "a redirect is followed";
}

// A body within the cap arrives whole; one past it, an endless one too, ends
// the transfer as soon as it passes the cap, and nothing past it is written.
TEST_F(HttpDownload, BodyPastTheCapEndsTheTransfer)
{
    HttpClient client;
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    client.Get(url("/big"), whole, 300000);
    EXPECT_EQ(whole.size(), 300000);

    const struct {
        const char *path;
        qint64 cap;
    } cases[] = {{"/big", 299999}, {"/endless", 65536}, {"/endless", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        QBuffer body;
        body.open(QIODevice::WriteOnly);
        QElapsedTimer clock;
        clock.start();
        try {
            client.Get(url(c.path), body, c.cap);
            ADD_FAILURE() << "no error for a body past the cap";
        } catch (const HttpError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains("longer than")) << e.what();
        }
        EXPECT_LT(clock.elapsed(), 3000);
        EXPECT_LE(body.size(), c.cap);
    }
}

TEST_F(HttpDownload, RequestCarriesTheHeadersAndTheClientKeepsItsCookies)
{
    HttpClient client;
    const QString headers = QString::fromUtf8(get(client, "/headers"));
    EXPECT_TRUE(headers.contains("User-Agent: Mozilla/3.0 (compatible; Indy Library)")) << headers.toStdString();
    EXPECT_TRUE(headers.contains("Accept: text/html, */*")) << headers.toStdString();
    EXPECT_TRUE(headers.contains("Content-Type: text/html")) << headers.toStdString();

    client.userAgent = "Mozilla/4.0(compatible;MSIE6.0;WindowsNT5.0)";
    EXPECT_TRUE(QString::fromUtf8(get(client, "/headers")).contains("User-Agent: Mozilla/4.0(compatible;MSIE6.0;WindowsNT5.0)"));

    EXPECT_EQ(get(client, "/check"), "none");
    get(client, "/set");
    EXPECT_EQ(get(client, "/check"), "run=42");
    HttpClient other;
    EXPECT_EQ(get(other, "/check"), "none") << "cookies belong to one client";
}

TEST_F(HttpDownload, EveryFailureRaises)
{
    HttpClient client;
    const auto fails = [&](const QString &address) {
        QBuffer body;
        body.open(QIODevice::WriteOnly);
        try {
            client.Get(address, body);
        } catch (const HttpError &e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    };
    EXPECT_TRUE(fails(url("/missing")).contains("404")) << fails(url("/missing")).toStdString();
    EXPECT_TRUE(fails(url("/broken")).contains("500"));
    EXPECT_FALSE(fails("not an address").isEmpty());
    EXPECT_FALSE(fails("file:///etc/passwd").isEmpty()) << "only http and https";

    // A port nobody listens on.
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr *>(&address), length), 0);
    ::getsockname(sock, reinterpret_cast<sockaddr *>(&address), &length);
    const int closed = ntohs(address.sin_port);
    ::close(sock);
    EXPECT_FALSE(fails(QString("http://127.0.0.1:%1/").arg(closed)).isEmpty());

    // A file that takes no data.
    QFile readOnly(dir.filePath("server.py"));
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    EXPECT_THROW(client.Get(url("/big"), readOnly), HttpError);
}

TEST_F(HttpDownload, AWorkerThreadCanDownloadWhileAnotherWaits)
{
    HttpClient client;
    QByteArray fromThread;
    QThread *worker = QThread::create([&] { fromThread = get(client, "/big"); });
    worker->start();
    const QByteArray here = get(client, "/update/My-Tool-2.ini");
    worker->wait();
    delete worker;
    EXPECT_EQ(fromThread.size(), 300000);
    EXPECT_FALSE(here.isEmpty());
}

// A server that takes the connection and never answers cannot hold the
// client longer than its time-out, and an abort from another thread ends the
// wait at once, for the running transfer and every later one.
TEST_F(HttpDownload, TimeOutAndAbortEndATransferThatNeverAnswers)
{
    ravenmoor::test::SilentServer silent;
    ASSERT_GT(silent.port(), 0);
    QElapsedTimer clock;
    {
        HttpClient client;
        client.totalTimeout = std::chrono::milliseconds(600);
        QBuffer body;
        body.open(QIODevice::WriteOnly);
        clock.start();
        EXPECT_THROW(client.Get(silent.url("/update/x.ini"), body), HttpError);
        EXPECT_GE(clock.elapsed(), 500);
        EXPECT_LT(clock.elapsed(), 3000);
    }

    HttpClient client; // the default time-outs, far longer than this test waits
    bool threw = false;
    QThread *worker = QThread::create([&] {
        QBuffer body;
        body.open(QIODevice::WriteOnly);
        try {
            client.Get(silent.url("/update/x.ini"), body);
        } catch (const HttpError &) {
            threw = true;
        }
    });
    worker->start();
    QThread::msleep(300);
    ASSERT_TRUE(worker->isRunning());
    clock.restart();
    client.abort();
    EXPECT_TRUE(worker->wait(1000));
    EXPECT_LT(clock.elapsed(), 500);
    delete worker;
    EXPECT_TRUE(threw);
    EXPECT_THROW(get(client, "/big"), HttpError) << "an aborted client makes no further request";
}

// A proxy named in the environment is not used: the request goes to the host.
TEST_F(HttpDownload, ProxyOfTheEnvironmentIsIgnored)
{
    ravenmoor::test::SilentServer proxy;
    const QByteArray proxyUrl = proxy.url(QString()).toUtf8();
    const char *variables[] = {"http_proxy", "HTTP_PROXY", "https_proxy", "ALL_PROXY", "all_proxy"};
    for (const char *v : variables)
        qputenv(v, proxyUrl);
    HttpClient client;
    client.totalTimeout = std::chrono::milliseconds(3000);
    QByteArray body;
    EXPECT_NO_THROW(body = get(client, "/update/My-Tool-2.ini"));
    for (const char *v : variables)
        qunsetenv(v);
    EXPECT_EQ(body, "[versinon]\r\nversinon=6\r\n");
}

} // namespace
