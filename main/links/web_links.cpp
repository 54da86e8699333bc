#include "main/links/web_links.h"

#include <QUrl>

namespace {

struct LinkRow {
    LinkCommand command;
    const char *section;
    const char *defaultVersion1; // [version] "version" true
    const char *defaultVersion0; // false
};

constexpr const char *kKey = "web";
constexpr char kPlaceholderDomain[] = "ravenmoor.example";

constexpr LinkRow kLinks[] = {
    {LinkCommand::Help1Click, "webhelp", "https://ravenmoor.example/help/", "https://ravenmoor.example/help/"},
    {LinkCommand::FeedbackandSupport1Click, "Support", "https://ravenmoor.example/support.html",
     "https://studio.ravenmoor.example/support.html"},
    {LinkCommand::AboutRavenmoor1Click, "About", "https://ravenmoor.example/about.html",
     "https://studio.ravenmoor.example/about.html"},
    {LinkCommand::bt_webClick, "website", "https://ravenmoor.example/", "https://studio.ravenmoor.example/"},
};

} // namespace

QString LinkAddress(LinkCommand command, int version, const SkinText &skin)
{
    for (const LinkRow &row : kLinks) {
        if (row.command != command)
            continue;
        const char *fallback = version ? row.defaultVersion1 : row.defaultVersion0;
        return WebAddress(
            skin(QString::fromLatin1(row.section), QString::fromLatin1(kKey), QString::fromLatin1(fallback)));
    }
    return QString();
}

QString ContactPageAddress(int version)
{
    return QString::fromLatin1(version ? "https://ravenmoor.example/contactus.html"
                                       : "https://studio.ravenmoor.example/support.html");
}

QString WebAddress(const QString &text, const QString &base)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QString();
    QUrl url(trimmed, QUrl::StrictMode);
    if (url.isRelative() && !base.isEmpty())
        url = QUrl(base, QUrl::StrictMode).resolved(url);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.host().isEmpty())
        return QString();
    return url.toString();
}

bool IsPlaceholderAddress(const QString &address)
{
    const QString host = QUrl(address).host().toLower();
    const QLatin1String domain(kPlaceholderDomain);
    return host == domain || host.endsWith(QLatin1Char('.') + domain);
}

QString PageToOpen(const QString &address, const QString &helpFile)
{
    return IsPlaceholderAddress(address) ? QUrl::fromLocalFile(helpFile).toString() : address;
}
