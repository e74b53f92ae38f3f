#include "dial/links.h"

#include <gtest/gtest.h>

namespace {

QString Web(const QString& page)
{
    return WebPageLink(page).toString(QUrl::FullyEncoded);
}

TEST(RecordLinks, AWebPageWithoutASchemeGetsHttp)
{
    EXPECT_EQ(Web("www.example.com"), "http://www.example.com");
    EXPECT_EQ(Web(" example.com:8080/shop "), "http://example.com:8080/shop");
    EXPECT_EQ(Web("HTTPS://Example.com/a b"), "https://example.com/a%20b");
    EXPECT_EQ(Web("mailto:jo@example.com"), "mailto:jo@example.com");
}

TEST(RecordLinks, AnythingButWebAndMailIsRefused)
{
    for (const char* page :
         {"file:///etc/passwd", "/etc/passwd", "~/notes.txt", "javascript:alert(1)", "ftp://example.com",
          "smb://server/share", "\\\\server\\share", "", "http://", "x-scheme-handler:run"})
        EXPECT_TRUE(WebPageLink(page).isEmpty()) << page;
}

TEST(RecordLinks, AMailAddressStaysOneAddress)
{
    EXPECT_EQ(MailLink("jo@example.com").toString(), "mailto:jo@example.com");
    EXPECT_EQ(MailLink("MAILTO:jo@example.com").toString(), "mailto:jo@example.com");
    // Headers and attachments cannot ride along in the address.
    const QUrl sneaky = MailLink("jo@example.com?attach=/home/jo/.ssh/id_rsa#x");
    EXPECT_FALSE(sneaky.hasQuery());
    EXPECT_FALSE(sneaky.hasFragment());
    EXPECT_EQ(sneaky.scheme(), "mailto");
    EXPECT_TRUE(MailLink("  ").isEmpty());
}

} // namespace
