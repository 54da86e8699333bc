// The HTTP client where libcurl cannot be loaded (RAVENMOOR_LIBCURL naming a
// file that is not there): made at the start as before, it fails each
// download with an error that says what is missing.

#include "platform/http/http_download.h"

#include <QBuffer>
#include <gtest/gtest.h>

TEST(HttpWithoutLibcurl, AGetFailsWithAnErrorNamingIt)
{
    qputenv("RAVENMOOR_LIBCURL", "/nonexistent/libcurl.so.4");
    HttpClient client;
    QBuffer file;
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            client.Get(QStringLiteral("http://127.0.0.1:9/update/ravenmoor.ini"), file);
            ADD_FAILURE() << "the GET did not fail";
        } catch (const HttpError &e) {
            EXPECT_NE(std::string(e.what()).find("libcurl"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(file.size(), 0);
}
