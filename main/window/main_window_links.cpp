#include "main/window/main_window_links.h"

#include "engine/language_texts.h"
#include "main/links/first_run.h"
#include "main/window/main_window.h"
#include "main/skin/skin_ini.h"
#include "main/links/update_check.h"
#include "main/links/web_links.h"
#include "platform/dialogs/dialogs.h"
#include "platform/errors/error_guard.h"
#include "platform/http/http_download.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/shell.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <utility>

namespace {

constexpr int kTimer3Ms = 1000;

// The prompt's text ends in a full-width question mark.
const QString kNewVersionKey = QStringLiteral("Now there's new version whether you update");
const QString kFullWidthQuestionMark = QStringLiteral("\uFF1F");

using LinkClick = void (MainWindowLinks::*)();

// What each page of the window's menus and buttons opens.
constexpr std::pair<ProductPage, LinkClick> kPageClicks[] = {
    {ProductPage::HelpPage, &MainWindowLinks::Help1Click},
    {ProductPage::SupportPage, &MainWindowLinks::FeedbackandSupport1Click},
    {ProductPage::AboutPage, &MainWindowLinks::AboutRavenmoor1Click},
    {ProductPage::WebSitePage, &MainWindowLinks::bt_webClick},
    {ProductPage::WebSiteLink, &MainWindowLinks::MenuItem1Click},
    {ProductPage::SupportLink, &MainWindowLinks::MenuItem2Click},
    {ProductPage::VersionContactPage, &MainWindowLinks::MenuItem7Click},
};

} // namespace

MainWindowLinks::MainWindowLinks(Services services)
    : m_services(std::move(services)), m_http(std::make_shared<HttpClient>()), Timer3(new QTimer(this)),
      m_updateCheck(new UpdateCheck(m_http, this)), m_firstRun(new FirstRunFetch(m_http, this))
{
    Timer3->setInterval(kTimer3Ms);
    connect(m_updateCheck, &UpdateCheck::newVersion, Timer3, qOverload<>(&QTimer::start));
}

MainWindowLinks::~MainWindowLinks() = default;

QString MainWindowLinks::updateBase() const
{
    return m_services.skin.ReadString(QStringLiteral("update"), QStringLiteral("base"), QString());
}

void MainWindowLinks::FirstStartAndProductLinks()
{
    const ProgramPaths &paths = m_services.paths;
    const FirstRunFolders folders{paths.executableFolder(), paths.configFolder()};
    if (IsFirstRun(folders)) {
        const QString help = LinkAddress(LinkCommand::Help1Click, m_services.version(), skinText());
        const QString page = m_services.texts.Lug(QStringLiteral("First"), QStringLiteral("web"), QString());
        FirstRunWeb(m_services.shell, pageToOpen(help), *m_firstRun, page, folders);
    }
    const QString table = paths.besideExecutable(QStringLiteral("softinfo.dat"));
    const bool loaded = QFile::exists(table) && LoadProductLinks(table, paths.settingsBaseName(), m_links);
    if (!loaded)
        m_services.dialogs.message(MessageKind::Information, m_services.texts.LoadLanguageLine(kProductLinksMissingLine));
}

void MainWindowLinks::StartUpdateCheck()
{
    const ProgramPaths &paths = m_services.paths;
    const QString update = QStringLiteral("update");
    const QString address = UpdateAddress(updateBase(), paths.executableName());
    const UpdateFolders folders{paths.besideExecutable(update), QDir(paths.configFolder()).filePath(update)};
    // One transfer at a time: the check waits for the first-run page, and so
    // carries the user agent that page set.
    if (m_firstRun->running())
        connect(
            m_firstRun, &FirstRunFetch::finished, m_updateCheck,
            [this, address, folders] { m_updateCheck->start(address, folders); }, Qt::SingleShotConnection);
    else
        m_updateCheck->start(address, folders);
}

void MainWindowLinks::Timer3Timer()
{
    Timer3->stop();
    const QString text = m_services.texts.Lug(QStringLiteral("MessageDlg"), kNewVersionKey) + kFullWidthQuestionMark;
    if (!m_services.dialogs.ask(MessageKind::Information, text))
        return;
    const QString page =
        m_services.skin.ReadString(QStringLiteral("update"), QStringLiteral("name"), QStringLiteral("calderix.html"));
    const QString address = WebAddress(page, updateBase());
    if (!address.isEmpty())
        m_services.shell.openPage(address);
}

SkinText MainWindowLinks::skinText() const
{
    const SkinIni &skin = m_services.skin;
    return [&skin](const QString &s, const QString &k, const QString &d) { return skin.ReadString(s, k, d); };
}

void MainWindowLinks::openLink(LinkCommand command) const
{
    openAddress(LinkAddress(command, m_services.version(), skinText()));
}

void MainWindowLinks::openAddress(const QString &text) const
{
    const QString address = WebAddress(text);
    if (!address.isEmpty())
        m_services.shell.openPage(pageToOpen(address));
}

QString MainWindowLinks::pageToOpen(const QString &address) const
{
    return PageToOpen(address, m_services.paths.besideExecutable(QStringLiteral("help.html")));
}

void MainWindowLinks::Help1Click() { openLink(LinkCommand::Help1Click); }
void MainWindowLinks::FeedbackandSupport1Click() { openLink(LinkCommand::FeedbackandSupport1Click); }
void MainWindowLinks::AboutRavenmoor1Click() { openLink(LinkCommand::AboutRavenmoor1Click); }
void MainWindowLinks::bt_webClick() { openLink(LinkCommand::bt_webClick); }
void MainWindowLinks::MenuItem1Click() { openAddress(m_links.link2); }
void MainWindowLinks::MenuItem2Click() { openAddress(m_links.link3); }
void MainWindowLinks::MenuItem7Click() { openAddress(ContactPageAddress(m_services.version())); }

void Tfm_main::buildLinks()
{
    m_links = std::make_unique<MainWindowLinks>(MainWindowLinks::Services{
        m_services.paths, m_services.dialogs, m_services.shell, m_skinIni, m_texts, [this] { return m_version; }});
    m_plugins.openPage = [this](ProductPage page) {
        for (const auto &[p, click] : kPageClicks)
            if (p == page)
                (m_links.get()->*click)();
    };
    // The prompt runs on the window's thread, under its error guard.
    connect(&m_links->timer3(), &QTimer::timeout, this,
            Guarded(m_services.errors, [this] { m_links->Timer3Timer(); }));
}
