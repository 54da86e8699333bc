#pragma once

// The main window's web side: the product links read at start-up, the first
// start on a machine, the four link commands, and the update check with its
// prompt (Timer3). One HTTP client serves all of it, one transfer after the
// other, never on the window's thread.

#include "main/links/product_links.h"
#include "main/links/web_links.h"

#include <QObject>
#include <functional>
#include <memory>

class Dialogs;
class FirstRunFetch;
class HttpClient;
class LanguageTexts;
class ProgramPaths;
class QTimer;
class Shell;
class SkinIni;
class UpdateCheck;

// The language line shown when the product links are missing.
inline constexpr int kProductLinksMissingLine = 31;

class MainWindowLinks : public QObject {
    Q_OBJECT
public:
    struct Services {
        const ProgramPaths &paths;
        Dialogs &dialogs;
        Shell &shell;
        const SkinIni &skin;
        const LanguageTexts &texts;
        std::function<int()> version; // [version] "version" as the layout read it
    };

    explicit MainWindowLinks(Services services);
    ~MainWindowLinks() override;

    // Start-up: the first-run pages on a first start, then the product links
    // from "softinfo.dat" (or the message that they are missing).
    void FirstStartAndProductLinks();
    // Start-up's last step: the check runs on its own thread, after the
    // first-run page has arrived when one is being fetched.
    void StartUpdateCheck();

    void Help1Click();
    void FeedbackandSupport1Click();
    void AboutRavenmoor1Click();
    void bt_webClick();
    // The items of the help menu that nothing opens: links 2 and 3 of the
    // product links, and the contact page of the edition's web site.
    void MenuItem1Click();
    void MenuItem2Click();
    void MenuItem7Click();
    // The new-version prompt, once per switch-on of Timer3.
    void Timer3Timer();

    const ProductLinks &productLinks() const { return m_links; }
    HttpClient &http() const { return *m_http; }
    const UpdateCheck &updateCheck() const { return *m_updateCheck; }
    const FirstRunFetch &firstRunFetch() const { return *m_firstRun; }
    QTimer &timer3() const { return *Timer3; }

private:
    QString updateBase() const;
    SkinText skinText() const;
    void openLink(LinkCommand command) const;
    void openAddress(const QString &text) const;
    QString pageToOpen(const QString &address) const;

    Services m_services;
    std::shared_ptr<HttpClient> m_http;
    ProductLinks m_links;
    QTimer *Timer3;
    UpdateCheck *m_updateCheck;
    FirstRunFetch *m_firstRun;
};
