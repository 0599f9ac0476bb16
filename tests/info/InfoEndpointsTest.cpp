// The information window built with the maker's addresses set otherwise than the defaults, as
// a maker sets them when configuring: the window shows them as they are and its links use them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "MakerEndpoints.h"
#include "TForm_Info.h"

namespace {

TEST(InfoEndpointsTest, WindowShowsAndOpensTheConfiguredAddresses) {
    QList<QUrl> opened;
    TForm_Info info(nullptr, [&opened](const QUrl& address) { opened << address; });
    info.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
    EXPECT_EQ(info.Label_Email->text(), "service@maker-test.example");
    EXPECT_EQ(info.Label_WWW->text(), "www.maker-test.example");
    QTest::mouseClick(info.Label_WWW, Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>{QUrl("http://www.maker-test.example")});
    EXPECT_EQ(TForm_Info::MailLink().toString(),
              QString::fromUtf8("mailto:service@maker-test.example?subject=Prüfwort: "));
}

// The services read the same header: each address as it was set.
TEST(InfoEndpointsTest, ServicesGetTheConfiguredHostsAndPages) {
    EXPECT_STREQ(maker_endpoints::MainWebHost, "www.maker-test.example");
    EXPECT_STREQ(maker_endpoints::SecondWebHost, "maker-test.example");
    EXPECT_STREQ(maker_endpoints::SupportPage, "https://www.maker-test.example/support/");
    EXPECT_STREQ(maker_endpoints::HomePage, "http://www.maker-test.example");
}

}  // namespace
