// The update check, the first start and the link commands against a real
// HTTP server on 127.0.0.1 that serves files from a folder and reports every
// request it gets (path and user agent); the windows run over a program
// folder of their own with a recording shell and recording dialogs.

#include "main/links/first_run.h"
#include "main/links/web_thread_owner.h"
#include "main/window/main_window.h"
#include "main/window/main_window_links.h"
#include "main/window/process_slot_runner.h"
#include "main/links/product_links.h"
#include "main/program.h"
#include "main/links/update_check.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/errors/recording_error_box.h"
#include "platform/http/http_download.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/recording_shell.h"
#include "tests/main/program_fixture.h"
#include "tests/support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using ravenmoor::test::waitUntil;

const char *kServer = R"PY(
import http.server, os, sys, time
root = sys.argv[1]
class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass
    def do_GET(self):
        print("%s\t%s" % (self.path, self.headers.get("User-Agent", "")), flush=True)
        if self.path.startswith("/silent/"):
            time.sleep(3600)
            return
        if self.path.startswith("/endless/"):
            self.send_response(200)
            self.end_headers()
            try:
                while True:
                    self.wfile.write(b"[versinon]\nversinon=9\n" * 4096)
            except OSError:
                return
        path = os.path.join(root, self.path.lstrip("/"))
        if os.path.isfile(path):
            body = open(path, "rb").read()
            self.send_response(200)
        else:
            body = b"not found"
            self.send_response(404)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
http.server.ThreadingHTTPServer.daemon_threads = True
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
)PY";

const QString kIndyAgent = "Mozilla/3.0 (compatible; Indy Library)";
const QString kPrompt = QString("Now there's new version whether you update") + QChar(0xFF1F);

void Write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(content);
}

QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

QByteArray VersionFile(int version)
{
    return "[versinon]\r\nversinon=" + QByteArray::number(version) + "\r\n";
}

// The serving folder is `files`; requests() are "path<TAB>user agent" lines.
class UpdateServer {
public:
    UpdateServer()
    {
        Write(m_dir.filePath("server.py"), kServer);
        m_process.start("python3", {m_dir.filePath("server.py"), files()});
        // A busy machine can take a while to start python. The port's line
        // may come in two reads: its newline must not pass for a request.
        QDeadlineTimer deadline(60000);
        if (m_process.waitForStarted()) {
            while (!m_process.canReadLine() && m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            }
            m_port = QString::fromUtf8(m_process.readLine()).trimmed().toInt();
        }
    }
    ~UpdateServer()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    int port() const { return m_port; }
    QString files() const { return m_dir.filePath("files"); }
    QString url(const QString &path) const { return QString("http://127.0.0.1:%1%2").arg(m_port).arg(path); }
    void serve(const QString &path, const QByteArray &body) { Write(files() + path, body); }
    QStringList requests()
    {
        m_process.waitForReadyRead(0);
        while (m_process.canReadLine()) // whole lines only: a request may be half written
            m_seen << QString::fromUtf8(m_process.readLine()).chopped(1);
        return m_seen;
    }
    bool waitForRequests(int count, int timeoutMs = 10000)
    {
        return waitUntil([&] { return requests().size() >= count; }, timeoutMs);
    }
    // For the next case: no files, no requests seen.
    void reset()
    {
        requests();
        m_seen.clear();
        QDir(files()).removeRecursively();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
    QStringList m_seen;
};

// One server for all cases; each case starts with reset().
UpdateServer &Server()
{
    static UpdateServer server;
    return server;
}

TEST(UpdateAddress, NameWithBlanksAsDashesAndIniExtension)
{
    const struct {
        const char *base, *name, *address;
    } cases[] = {
        {"http://127.0.0.1:8/update/", "My Tool 2", "http://127.0.0.1:8/update/My-Tool-2.ini"},
        {"https://host/update/", "ravenmoor.exe", "https://host/update/ravenmoor.ini"},
        {"https://host/update/", " two  blanks ", "https://host/update/-two--blanks-.ini"},
        {"https://host/update/", "Tool #1?", "https://host/update/Tool-%231%3F.ini"}, // no fragment, no query
        {"", "ravenmoor", ""}, // as shipped: no check
        {"ftp://host/update/", "ravenmoor", ""},
        {"update/", "ravenmoor", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(UpdateAddress(c.base, c.name), c.address) << c.base << " " << c.name;
    EXPECT_EQ(SpacesToDashes("a b\tc  d"), "a-b\tc--d");
}

class UpdateCheckFiles : public testing::Test {
protected:
    QTemporaryDir program, user;
    UpdateServer &server = Server();
    HttpClient client;
    UpdateFolders folders{program.filePath("update"), user.filePath("update")};

    void SetUp() override
    {
        ASSERT_GT(server.port(), 0);
        server.reset();
        QDir().mkpath(folders.installed);
        client.totalTimeout = std::chrono::milliseconds(2000);
    }
    QString address() const { return UpdateAddress(server.url("/update/"), "My Tool 2"); }
    QString newFile() const { return QDir(folders.installed).filePath("updatenew.ini"); }
};

TEST_F(UpdateCheckFiles, ServerVersionAgainstTheInstalledOne)
{
    const struct {
        const char *name;
        int installed;      // -1: no "update.ini"
        const char *served; // null: 404
        bool newer;
    } cases[] = {
        {"same", 5, "[versinon]\nversinon=5\n", false},
        {"newer", 5, "[versinon]\nversinon=6\n", true},
        {"older", 5, "[versinon]\nversinon=4\n", false},
        {"nothing installed", -1, "[versinon]\nversinon=1\n", true},
        {"not a number", 0, "[versinon]\nversinon=six\n", false},
        {"no section", 0, "versinon=6\n", false},
        {"missing on the server", 0, nullptr, false},
    };
    const QByteArray previous = VersionFile(3);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(QDir(folders.installed).filePath("update.ini"));
        if (c.installed >= 0)
            Write(QDir(folders.installed).filePath("update.ini"), VersionFile(c.installed));
        QFile::remove(server.files() + "/update/My-Tool-2.ini");
        if (c.served)
            server.serve("/update/My-Tool-2.ini", c.served);
        Write(newFile(), previous);

        EXPECT_EQ(CheckForUpdate(client, address(), folders), c.newer);
        // A failed transfer leaves the previous file whole; a good one replaces it.
        EXPECT_EQ(Read(newFile()), c.served ? QByteArray(c.served) : previous);
        const QStringList left = QDir(folders.installed).entryList(QDir::Files);
        EXPECT_EQ(left.size(), c.installed >= 0 ? 2 : 1) << left.join(' ').toStdString() << ": no temporary file left";
    }
    ASSERT_TRUE(server.waitForRequests(std::size(cases)));
    for (const QString &request : server.requests())
        EXPECT_EQ(request, "/update/My-Tool-2.ini\t" + kIndyAgent);
}

TEST_F(UpdateCheckFiles, ServerThatNeverAnswersEndsTheCheckWithinTheTimeOut)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(CheckForUpdate(client, server.url("/silent/My-Tool-2.ini"), folders));
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_FALSE(QFile::exists(newFile()));
    EXPECT_TRUE(server.waitForRequests(1));
}

// A version file is a few lines: an answer past the cap, a long one or an
// endless one, ends the transfer at once and nothing of it is kept.
TEST_F(UpdateCheckFiles, AnswerPastTheCapIsNotKept)
{
    const QByteArray previous = VersionFile(3);
    const QByteArray padding = "; " + QByteArray(78, 'x') + "\n";
    server.serve("/update/long.ini", VersionFile(9) + padding.repeated(kSmallPageMaxBytes / padding.size() + 1));
    server.serve("/update/fits.ini", VersionFile(9) + padding.repeated(kSmallPageMaxBytes / padding.size() - 1));
    const struct {
        const char *path;
        bool newer;
    } cases[] = {{"/update/long.ini", false}, {"/endless/My-Tool-2.ini", false}, {"/update/fits.ini", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        Write(newFile(), previous);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(CheckForUpdate(client, server.url(c.path), folders), c.newer);
        EXPECT_LT(clock.elapsed(), 1500) << "not ended by the time-out";
        if (!c.newer) {
            EXPECT_EQ(Read(newFile()), previous);
        }
        EXPECT_LE(QFileInfo(newFile()).size(), kSmallPageMaxBytes);
        EXPECT_EQ(QDir(folders.installed).entryList(QDir::Files), QStringList{"updatenew.ini"}) << "no temporary file left";
    }
}

TEST_F(UpdateCheckFiles, UnwritableProgramFolderFallsBackToTheUserFolder)
{
    server.serve("/update/My-Tool-2.ini", VersionFile(2));
    // The proc file system takes no new file, whoever asks.
    folders.installed = "/proc";
    EXPECT_TRUE(CheckForUpdate(client, address(), folders));
    EXPECT_EQ(Read(QDir(folders.perUser).filePath("updatenew.ini")), VersionFile(2));

    // No update folder at all: the check ends, nothing is written.
    folders = {program.filePath("no such folder"), user.filePath("elsewhere")};
    EXPECT_FALSE(CheckForUpdate(client, address(), folders));
    EXPECT_FALSE(QFile::exists(folders.perUser));
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_EQ(server.requests().size(), 1) << "no request without an update folder";
}

// The owner of a running check ends it when it goes: no thread is left, and
// going takes well under a second; the thread object frees itself.
TEST_F(UpdateCheckFiles, CheckEndsWithItsOwner)
{
    WindowTestApp();
    auto owner = std::make_unique<UpdateCheck>(std::make_shared<HttpClient>());
    owner->start(server.url("/silent/My-Tool-2.ini"), folders);
    QPointer<QThread> thread = owner->thread();
    ASSERT_TRUE(thread);
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_TRUE(owner->running());
    QElapsedTimer clock;
    clock.start();
    owner.reset();
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_TRUE(thread);
    EXPECT_TRUE(thread->isFinished());
    EXPECT_TRUE(waitUntil([&] { return thread.isNull(); }, 2000));
}

// The first start: the help page, then "temp.txt" with the first-run page,
// fetched on a thread of its own with the first-run user agent; a page past
// the cap leaves the file empty.
TEST_F(UpdateCheckFiles, FirstRunOpensHelpAndFetchesThePage)
{
    server.serve("/first.html", "welcome");
    server.serve("/long.html", QByteArray(kSmallPageMaxBytes + 1, 'x'));
    RecordingShell shell;
    FirstRunFolders places{program.path(), user.path()};
    const auto run = [&](const QString &help, FirstRunFetch &fetch, const QString &page) {
        FirstRunWeb(shell, help, fetch, page, places);
        ASSERT_TRUE(waitUntil([&] { return !fetch.running(); }, 5000));
    };
    FirstRunFetch fetch(std::make_shared<HttpClient>());
    ASSERT_TRUE(IsFirstRun(places));
    run("https://help.example/", fetch, server.url("/first.html"));
    EXPECT_EQ(shell.openedPages, QStringList{"https://help.example/"});
    EXPECT_EQ(Read(program.filePath("temp.txt")), "welcome");
    EXPECT_FALSE(IsFirstRun(places));
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_EQ(server.requests(), QStringList{QString("/first.html\t") + kFirstRunUserAgent});

    run(QString(), fetch, server.url("/long.html"));
    EXPECT_EQ(Read(program.filePath("temp.txt")), "");
    EXPECT_FALSE(IsFirstRun(places));

    // A program folder that cannot be written: the marker goes to the user folder.
    places.installed = "/proc";
    QFile::remove(user.filePath("temp.txt"));
    ASSERT_TRUE(IsFirstRun(places));
    FirstRunFetch other(std::make_shared<HttpClient>());
    run(QString(), other, server.url("/missing.html"));
    EXPECT_TRUE(QFile::exists(user.filePath("temp.txt")));
    EXPECT_FALSE(IsFirstRun(places));
    EXPECT_EQ(other.client().userAgent, kFirstRunUserAgent);
    EXPECT_TRUE(server.waitForRequests(3));
}

// The program over a folder of its own: the real data files linked in, its
// own "Skin.ini" (the update base pointing at the test server), "softinfo.dat"
// and update folder.
class UpdateWindow : public testing::Test {
protected:
    QTemporaryDir folder, config;
    UpdateServer &server = Server();
    RecordingErrorBox errors;
    RecordingDialogs dialogs;
    RecordingShell shell;
    NoProbe probe;
    EncoderProcesses encoders;
    std::unique_ptr<ProgramPaths> paths;
    std::unique_ptr<Program> program;
    QString name = "My Tool 2";

    static constexpr const char *kOwnFiles[] = {"Skin.ini", "softinfo.dat", "update", "temp.txt", "lug.ini"};

    void SetUp() override
    {
        WindowTestApp();
        ASSERT_GT(server.port(), 0);
        server.reset();
        const QDir bin(ravenmoor::test::binDir());
        for (const QString &entry : bin.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            if (!std::count(std::begin(kOwnFiles), std::end(kOwnFiles), entry)) {
                ASSERT_TRUE(QFile::link(bin.filePath(entry), folder.filePath(entry))) << entry.toStdString();
            }
        setUpdateBase(server.url("/update/"));
        Write(folder.filePath("lug.ini"), original("lug.ini"));
        Write(folder.filePath("softinfo.dat"), *EncodeProductRecord(name, {"l1", "l2", "l3"}));
        Write(folder.filePath("update/update.ini"), VersionFile(5));
        Write(folder.filePath("temp.txt"), ""); // not the first start, unless a case says so
    }
    void TearDown() override { stop(); }

    QByteArray original(const QString &file) const { return Read(QDir(ravenmoor::test::binDir()).filePath(file)); }
    void setUpdateBase(const QString &base, const QByteArray &moreKeys = {})
    {
        QByteArray skin = original("Skin.ini");
        ASSERT_TRUE(skin.contains("\nbase=\n"));
        skin.replace("\nbase=\n", "\nbase=" + base.toUtf8() + "\n");
        Write(folder.filePath("Skin.ini"), skin + moreKeys);
    }
    void start()
    {
        paths = std::make_unique<ProgramPaths>(folder.path(), name, config.path());
        program = std::make_unique<Program>(ProgramOutside{*paths, errors, dialogs, shell, probe, encoders});
        program->main().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->main()));
    }
    void stop()
    {
        if (!program)
            return;
        program->main().close();
        program->shutDown();
        program.reset();
    }
    int prompts() const { return dialogs.texts().count(kPrompt); }
    // The check has run to its end, and Timer3 has had the time to tick.
    void waitForTheCheck()
    {
        ASSERT_TRUE(server.waitForRequests(1));
        ASSERT_TRUE(waitUntil([&] { return !program->main().links().updateCheck().running(); }, 10000));
        QTest::qWait(1500);
    }
};

TEST_F(UpdateWindow, NewerVersionAsksOnceAndYesOpensTheUpdatePage)
{
    server.serve("/update/My-Tool-2.ini", VersionFile(6));
    const struct {
        bool answer;
        QStringList pages;
    } cases[] = {
        {true, {server.url("/update/calderix.html")}},
        {false, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer ? "Yes" : "No");
        dialogs.shown.clear();
        dialogs.answers = {c.answer};
        shell.openedPages.clear();
        start();
        ASSERT_TRUE(waitUntil([&] { return prompts() > 0; }, 10000));
        QTest::qWait(2500); // two more ticks of Timer3 would be a second prompt
        EXPECT_EQ(prompts(), 1);
        EXPECT_EQ(dialogs.shown.size(), 1) << dialogs.texts().join('|').toStdString();
        EXPECT_TRUE(dialogs.shown.value(0).question);
        EXPECT_EQ(shell.openedPages, c.pages);
        stop();
    }
    EXPECT_EQ(server.requests().value(0), "/update/My-Tool-2.ini\t" + kIndyAgent);
}

TEST_F(UpdateWindow, NoPromptWithoutANewerVersion)
{
    const struct {
        const char *name;
        const char *served; // null: 404
    } cases[] = {
        {"same version", "[versinon]\nversinon=5\n"},
        {"not a number", "[versinon]\nversinon=7a\n"},
        {"missing on the server", nullptr},
    };
    int requests = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(server.files() + "/update/My-Tool-2.ini");
        if (c.served)
            server.serve("/update/My-Tool-2.ini", c.served);
        start();
        ASSERT_TRUE(server.waitForRequests(++requests));
        ASSERT_TRUE(waitUntil([&] { return !program->main().links().updateCheck().running(); }, 10000));
        QTest::qWait(1500);
        EXPECT_EQ(prompts(), 0);
        stop();
    }
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(UpdateWindow, AsShippedNoRequestIsMade)
{
    setUpdateBase(QString());
    start();
    QTest::qWait(300);
    EXPECT_FALSE(program->main().links().updateCheck().running());
    EXPECT_TRUE(server.requests().isEmpty());
}

// Closing while the server keeps the check waiting: the program is gone in
// well under a second, its check thread with it.
TEST_F(UpdateWindow, ClosingDuringACheckDoesNotWait)
{
    setUpdateBase(server.url("/silent/"));
    start();
    ASSERT_TRUE(server.waitForRequests(1));
    ASSERT_TRUE(program->main().links().updateCheck().running());
    QPointer<QThread> thread = program->main().links().updateCheck().thread();
    QElapsedTimer clock;
    clock.start();
    stop();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(!thread || thread->isFinished());
}

// The first start opens the help page and fetches the first-run page; from
// then on every request carries the first-run user agent, the update check
// of the same start included. The second start does neither.
TEST_F(UpdateWindow, FirstStartOpensHelpAndFetchesTheFirstRunPageOnce)
{
    QFile::remove(folder.filePath("temp.txt"));
    Write(folder.filePath("lug.ini"), original("lug.ini") + "\n[First]\nweb=" + server.url("/first.html").toUtf8() + "\n");
    setUpdateBase(server.url("/update/"), "\n[webhelp]\nweb=" + server.url("/help.html").toUtf8() + "\n");
    server.serve("/first.html", "first run");
    server.serve("/update/My-Tool-2.ini", VersionFile(5));

    start();
    ASSERT_TRUE(server.waitForRequests(2));
    EXPECT_EQ(shell.openedPages, QStringList{server.url("/help.html")});
    EXPECT_EQ(server.requests(), (QStringList{QString("/first.html\t") + kFirstRunUserAgent,
                                              QString("/update/My-Tool-2.ini\t") + kFirstRunUserAgent}));
    EXPECT_EQ(Read(folder.filePath("temp.txt")), "first run");
    stop();

    shell.openedPages.clear();
    start();
    ASSERT_TRUE(server.waitForRequests(3));
    QTest::qWait(300);
    EXPECT_TRUE(shell.openedPages.isEmpty());
    EXPECT_EQ(server.requests().mid(2), QStringList{"/update/My-Tool-2.ini\t" + kIndyAgent});
}

// A first-run page that never comes holds neither the window nor its close:
// the window is there at once, the update check waits its turn behind the
// page, and closing ends both at once.
TEST_F(UpdateWindow, FirstRunPageThatNeverComesHoldsNothing)
{
    QFile::remove(folder.filePath("temp.txt"));
    Write(folder.filePath("lug.ini"),
          original("lug.ini") + "\n[First]\nweb=" + server.url("/silent/first.html").toUtf8() + "\n");
    server.serve("/update/My-Tool-2.ini", VersionFile(6));
    QElapsedTimer clock;
    clock.start();
    start();
    EXPECT_LT(clock.elapsed(), 5000);
    // Without an address of its own the help is the page beside the program.
    EXPECT_EQ(shell.openedPages, QStringList{QUrl::fromLocalFile(folder.filePath("help.html")).toString()});
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_TRUE(program->main().links().firstRunFetch().running());
    EXPECT_TRUE(QFile::exists(folder.filePath("temp.txt")));
    QTest::qWait(300);
    EXPECT_EQ(server.requests().size(), 1) << "one transfer at a time";
    QPointer<QThread> thread = program->main().links().firstRunFetch().thread();
    clock.restart();
    stop();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(!thread || thread->isFinished());
    EXPECT_EQ(prompts(), 0);
}

// The help menu's items and the web button open their pages: the addresses of
// "Skin.ini" when it has them, else the built-in ones; "softinfo.dat" does not
// change them, and a missing or foreign one is reported with line 31.
TEST_F(UpdateWindow, LinkCommandsOpenTheirPages)
{
    const QByteArray keys = "\n[webhelp]\nweb=https://dist.example/guide\n[Support]\nweb=https://dist.example/support\n"
                            "[About]\nweb=https://dist.example/about\n[website]\nweb=https://dist.example/\n";
    const QStringList fromSkin{"https://dist.example/guide", "https://dist.example/support",
                               "https://dist.example/about", "https://dist.example/"};
    // The built-in addresses name no real page: the help page beside the program opens instead.
    const QString help = QUrl::fromLocalFile(folder.filePath("help.html")).toString();
    ASSERT_TRUE(QFile::exists(folder.filePath("help.html")));
    const QStringList builtIn{help, help, help, help};
    const QString missing = Read(QDir(ravenmoor::test::binDir()).filePath("language.info")).split('\n').value(30);
    ASSERT_FALSE(missing.isEmpty());
    enum class Table { Own, None, Shipped };
    const struct {
        const char *name;
        bool skinKeys;
        Table table;
        const char *executable;
        QStringList pages;
        QStringList messages;
    } cases[] = {
        {"keys and table", true, Table::Own, "My Tool 2", fromSkin, {}},
        {"built-in pages", false, Table::Own, "My Tool 2", builtIn, {}},
        {"no table", true, Table::None, "My Tool 2", fromSkin, {missing}},
        {"shipped table, own name", false, Table::Shipped, "ravenmoor", builtIn, {}},
        {"shipped table, other name", false, Table::Shipped, "My Tool 2", builtIn, {missing}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setUpdateBase(QString(), c.skinKeys ? keys : QByteArray());
        QFile::remove(folder.filePath("softinfo.dat"));
        if (c.table == Table::Own)
            Write(folder.filePath("softinfo.dat"), *EncodeProductRecord("My Tool 2", {"l1", "l2", "l3"}));
        if (c.table == Table::Shipped) {
            ASSERT_TRUE(QFile::link(QDir(ravenmoor::test::binDir()).filePath("softinfo.dat"),
                                    folder.filePath("softinfo.dat")));
        }
        name = c.executable;
        dialogs.shown.clear();
        shell.openedPages.clear();
        start();
        EXPECT_EQ(dialogs.texts(), c.messages);
        Tfm_main &w = program->main();
        for (const char *item : {"Help1", "FeedbackandSupport1", "AboutRavenmoor1"}) {
            QAction *action = w.findChild<QAction *>(item);
            ASSERT_TRUE(action) << item;
            action->trigger();
        }
        auto *web = w.findChild<QWidget *>("bt_web");
        ASSERT_TRUE(web);
        QTest::mouseClick(web, Qt::LeftButton, {}, web->rect().center());
        EXPECT_EQ(shell.openedPages, c.pages);
        stop();
    }
}

// The help menu that nothing opens: its items open links 2 and 3 of
// "softinfo.dat" and the edition's contact page (the help page while that is
// the built-in placeholder).
TEST_F(UpdateWindow, UnopenedHelpMenuOpensTheProductLinks)
{
    setUpdateBase(QString(), QByteArray());
    Write(folder.filePath("softinfo.dat"),
          *EncodeProductRecord("My Tool 2", {"https://l.example/1", "https://l.example/2", "https://l.example/3"}));
    start();
    Tfm_main &w = program->main();
    for (const char *item : {"MenuItem1", "MenuItem2", "MenuItem4", "MenuItem5", "MenuItem7"}) {
        QAction *action = w.findChild<QAction *>(item);
        ASSERT_TRUE(action) << item;
        action->trigger();
    }
    EXPECT_EQ(shell.openedPages, (QStringList{"https://l.example/2", "https://l.example/3", "https://l.example/2",
                                              "https://l.example/3",
                                              QUrl::fromLocalFile(folder.filePath("help.html")).toString()}));
    stop();
}

} // namespace
