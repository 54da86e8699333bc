// Which addresses the link commands open, and which texts count as a page.

#include "main/links/web_links.h"

#include <QHash>
#include <gtest/gtest.h>

namespace {

TEST(WebLinks, EachCommandReadsItsKeyElseTheDefaultOfItsVersion)
{
    const QHash<QString, QString> filled{
        {"webhelp/web", "https://dist.example/guide"},
        {"Support/web", "https://dist.example/support"},
        {"About/web", "https://dist.example/about"},
        {"website/web", "https://dist.example/"},
    };
    const SkinText fromFile = [&](const QString &s, const QString &k, const QString &d) {
        return filled.value(s + "/" + k, d);
    };
    const SkinText empty = [](const QString &, const QString &, const QString &d) { return d; };

    const struct {
        LinkCommand command;
        const char *fromSkin;
        const char *version1;
        const char *version0;
    } cases[] = {
        {LinkCommand::Help1Click, "https://dist.example/guide", "https://ravenmoor.example/help/",
         "https://ravenmoor.example/help/"},
        {LinkCommand::FeedbackandSupport1Click, "https://dist.example/support", "https://ravenmoor.example/support.html",
         "https://studio.ravenmoor.example/support.html"},
        {LinkCommand::AboutRavenmoor1Click, "https://dist.example/about", "https://ravenmoor.example/about.html",
         "https://studio.ravenmoor.example/about.html"},
        {LinkCommand::bt_webClick, "https://dist.example/", "https://ravenmoor.example/",
         "https://studio.ravenmoor.example/"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(LinkAddress(c.command, 1, fromFile), c.fromSkin);
        EXPECT_EQ(LinkAddress(c.command, 0, fromFile), c.fromSkin) << "a key in the file wins over the version";
        EXPECT_EQ(LinkAddress(c.command, 1, empty), c.version1);
        EXPECT_EQ(LinkAddress(c.command, 7, empty), c.version1) << "any non-zero version is true";
        EXPECT_EQ(LinkAddress(c.command, 0, empty), c.version0);
    }

    // A key set to something that is no web page opens nothing.
    const SkinText unsafe = [](const QString &, const QString &, const QString &) {
        return QStringLiteral("/usr/bin/xterm");
    };
    EXPECT_TRUE(LinkAddress(LinkCommand::bt_webClick, 1, unsafe).isEmpty());
}

TEST(WebLinks, OnlyHttpAndHttpsPagesAreAccepted)
{
    const struct {
        const char *text;
        const char *base;
        const char *address; // empty: refused
    } cases[] = {
        {"https://ravenmoor.example/x.html", "", "https://ravenmoor.example/x.html"},
        {"  HTTP://Host/Page  ", "", "http://host/Page"},
        {"calderix.html", "http://127.0.0.1:8080/update/", "http://127.0.0.1:8080/update/calderix.html"},
        {"/news.html", "http://127.0.0.1:8080/update/", "http://127.0.0.1:8080/news.html"},
        {"https://other.example/", "http://127.0.0.1:8080/update/", "https://other.example/"},
        {"calderix.html", "", ""}, // relative with nothing to resolve it against
        {"file:///etc/passwd", "", ""},
        {"ftp://host/file", "", ""},
        {"javascript:alert(1)", "", ""},
        {"/usr/bin/xterm", "", ""},
        {"http://", "", ""},
        {"", "http://127.0.0.1:8080/update/", ""},
        {"thornwick.exe", "file:///tmp/", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WebAddress(c.text, c.base), c.address) << c.text << " on " << c.base;
}

// The built-in addresses name no real page: the help page beside the program
// stands in for every address on their domain, and only for those.
TEST(WebLinks, PlaceholderAddressesOpenTheHelpPageFile)
{
    const QString help = "/opt/ravenmoor/help.html";
    const struct {
        const char *address;
        const char *opened;
    } cases[] = {
        {"https://ravenmoor.example/help/", "file:///opt/ravenmoor/help.html"},
        {"https://studio.ravenmoor.example/support.html", "file:///opt/ravenmoor/help.html"},
        {"http://RAVENMOOR.example/about.html", "file:///opt/ravenmoor/help.html"},
        {"https://dist.example/guide", "https://dist.example/guide"},
        {"https://notravenmoor.example/", "https://notravenmoor.example/"},
        {"https://ravenmoor.example.org/", "https://ravenmoor.example.org/"},
        {"https://dist.example/ravenmoor.example", "https://dist.example/ravenmoor.example"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PageToOpen(c.address, help), c.opened) << c.address;
    const SkinText empty = [](const QString &, const QString &, const QString &d) { return d; };
    for (LinkCommand command : {LinkCommand::Help1Click, LinkCommand::FeedbackandSupport1Click,
                                LinkCommand::AboutRavenmoor1Click, LinkCommand::bt_webClick})
        for (int version : {0, 1})
            EXPECT_TRUE(IsPlaceholderAddress(LinkAddress(command, version, empty))) << int(command) << version;
    EXPECT_TRUE(IsPlaceholderAddress(ContactPageAddress(0)));
    EXPECT_TRUE(IsPlaceholderAddress(ContactPageAddress(1)));
}

} // namespace
