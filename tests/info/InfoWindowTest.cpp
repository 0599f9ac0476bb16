// The information window driven as a user would: clicks at points of the window, keys, links.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <functional>

#include "FrameShape.h"
#include "ProcessingWait.h"
#include "TForm_Info.h"

namespace {

// The maker's addresses as the build was configured.
const QString MailAddress = QStringLiteral("mailto:" KALVIO_CONFIGURED_MAIL_ADDRESS
                                           "?subject=" KALVIO_CONFIGURED_PRODUCT_WORD ": ");
const QString WebAddress = QStringLiteral("http://" KALVIO_CONFIGURED_MAIN_HOST);

class InfoWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        main_.setGeometry(100, 50, 673, 573);
        main_.show();
    }
    void TearDown() override { info_.hide(); }

    void open() {
        info_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&info_));
    }
    // A click goes to whatever control lies topmost at that point of the window, as the
    // window system would deliver it.
    void clickAt(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* target = info_.childAt(point);
        ASSERT_NE(target, nullptr) << point.x() << "," << point.y();
        QTest::mouseClick(target, button, {}, target->mapFrom(&info_, point));
    }
    QString text(const char* label) const {
        return info_.findChild<QLabel*>(QLatin1String(label))->text();
    }
    bool closed() {
        return WaitProcessingEvents([this] { return !info_.isVisible(); }, 5000);
    }
    void expectPage(int page, const char* company) {
        EXPECT_EQ(info_.PageNumberTag(), page);
        EXPECT_EQ(text("Label_Seitennummer"), QStringLiteral("%1/2").arg(page));
        EXPECT_EQ(text("Label_Firmenname"), QLatin1String(company));
    }

    QWidget main_;
    QList<QUrl> opened_;
    TForm_Info info_{&main_, [this](const QUrl& address) { opened_ << address; }};
};

struct Turn {
    const char* what;
    std::function<void(InfoWindowTest&, TForm_Info&)> act;
    bool turns;
};
void PrintTo(const Turn& turn, std::ostream* out) {
    *out << turn.what;
}

class InfoWindowTurnTest : public InfoWindowTest, public ::testing::WithParamInterface<Turn> {
  public:
    using InfoWindowTest::clickAt;
};

// Page 1 on showing; the action turns to page 2 and, again, closes the window without a link.
TEST_P(InfoWindowTurnTest, ActionTurnsPageOrNot) {
    open();
    expectPage(1, "Quenzel AG");
    GetParam().act(*this, info_);
    if (!GetParam().turns) {
        EXPECT_TRUE(info_.isVisible());
        expectPage(1, "Quenzel AG");
        return;
    }
    EXPECT_TRUE(info_.isVisible());
    expectPage(2, "Quenzel BV");
    GetParam().act(*this, info_);
    EXPECT_TRUE(closed());
    EXPECT_EQ(info_.result(), QDialog::Accepted);
    EXPECT_EQ(info_.PageNumberTag(), 2);
    EXPECT_TRUE(opened_.isEmpty());
}

Turn ClickAt(const char* what, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
    return {what,
            [point, button](InfoWindowTest& test, TForm_Info&) {
                static_cast<InfoWindowTurnTest&>(test).clickAt(point, button);
            },
            true};
}

Turn Key(const char* what, Qt::Key key, bool turns) {
    return {what, [key](InfoWindowTest&, TForm_Info& info) { QTest::keyClick(&info, key); }, turns};
}

INSTANTIATE_TEST_SUITE_P(
    Actions, InfoWindowTurnTest,
    ::testing::Values(ClickAt("background", {10, 10}), ClickAt("frame", {1, 200}),
                      ClickAt("logo", {138, 60}), ClickAt("company", {138, 145}),
                      ClickAt("fax", {138, 258}), ClickAt("version", {138, 341}),
                      ClickAt("build_date", {138, 360}),
                      ClickAt("right_button_on_street", {138, 174}, Qt::RightButton),
                      ClickAt("right_button_on_mail", {138, 283}, Qt::RightButton),
                      ClickAt("middle_button_on_web", {138, 307}, Qt::MiddleButton),
                      ClickAt("right_button_on_web", {100, 307}, Qt::RightButton),
                      ClickAt("mail_left_end", {40, 283}), ClickAt("mail_right_end", {230, 283}),
                      ClickAt("web_left_end", {10, 307}), ClickAt("web_right_end", {268, 307}),
                      Key("escape", Qt::Key_Escape, true), Key("return", Qt::Key_Return, true),
                      Key("enter", Qt::Key_Enter, true), Key("space", Qt::Key_Space, false),
                      Key("letter", Qt::Key_A, false),
                      Turn{"page_number",
                           [](InfoWindowTest& test, TForm_Info&) {
                               static_cast<InfoWindowTurnTest&>(test).clickAt({138, 390});
                           },
                           false}),
    [](const auto& info) { return std::string(info.param.what); });

struct Link {
    const char* what;
    int turnsFirst;
    QPoint at;
    QString address;
};
void PrintTo(const Link& link, std::ostream* out) {
    *out << link.what;
}

class InfoWindowLinkTest : public InfoWindowTest, public ::testing::WithParamInterface<Link> {};

// The middle of a link line opens its address, from either page, and closes the window.
TEST_P(InfoWindowLinkTest, MiddleOfLineOpensAndCloses) {
    open();
    for (int turn = 0; turn < GetParam().turnsFirst; ++turn) {
        QTest::keyClick(&info_, Qt::Key_Escape);
    }
    clickAt(GetParam().at);
    ASSERT_EQ(opened_.size(), 1);
    EXPECT_EQ(opened_.front().toString(), GetParam().address);
    EXPECT_EQ(opened_.front(), QUrl(GetParam().address));
    EXPECT_TRUE(closed());
}

INSTANTIATE_TEST_SUITE_P(Links, InfoWindowLinkTest,
                         ::testing::Values(Link{"mail_page1", 0, {100, 283}, MailAddress},
                                           Link{"mail_page2", 1, {180, 283}, MailAddress},
                                           Link{"web_page1", 0, {138, 307}, WebAddress},
                                           Link{"web_page2", 1, {100, 307}, WebAddress}),
                         [](const auto& info) { return std::string(info.param.what); });

class InfoWindowDoubleClickTest : public InfoWindowTest,
                                  public ::testing::WithParamInterface<QPoint> {};

// A double click is two presses wherever it lands: from page 1 it turns to page 2 and closes,
// as two single clicks would.
TEST_P(InfoWindowDoubleClickTest, TurnsTwoPages) {
    open();
    QWidget* target = info_.childAt(GetParam());
    ASSERT_NE(target, nullptr);
    const QPoint at = target->mapFrom(&info_, GetParam());
    QTest::mousePress(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    expectPage(2, "Quenzel BV");
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    EXPECT_TRUE(closed()) << target->objectName().toStdString();
    EXPECT_EQ(info_.PageNumberTag(), 2);
    EXPECT_TRUE(opened_.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Places, InfoWindowDoubleClickTest,
                         ::testing::Values(QPoint(10, 10), QPoint(1, 200), QPoint(138, 60),
                                           QPoint(138, 145), QPoint(138, 341), QPoint(40, 283),
                                           QPoint(268, 307)),
                         [](const auto& info) {
                             return "at_" + std::to_string(info.param.x()) + "_" +
                                    std::to_string(info.param.y());
                         });

TEST_F(InfoWindowTest, ReopeningStartsAtPageOne) {
    open();
    QTest::keyClick(&info_, Qt::Key_Escape);
    QTest::keyClick(&info_, Qt::Key_Escape);
    ASSERT_TRUE(closed());
    open();
    expectPage(1, "Quenzel AG");
    EXPECT_EQ(text("Label_Version"), "Version: Kalvio V00.08-a");
    EXPECT_EQ(text("Label_VersionZusatz"), "Stand 30.05.2023");
}

// Halves truncate toward zero: 673 / 2 - 277 / 2 = 198, 573 / 2 - 405 / 2 = 84; the main window
// moved between two showings moves the next one.
TEST_F(InfoWindowTest, CentredOverMainWindowOnEveryShowing) {
    open();
    EXPECT_EQ(info_.frameGeometry(), QRect(298, 134, 277, 405));
    EXPECT_EQ(info_.windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
    info_.hide();
    main_.setGeometry(-400, 300, 900, 701);
    open();
    EXPECT_EQ(info_.pos(), QPoint(-400 + 450 - 138, 300 + 350 - 202));
}

// Bottom to top: a later control lies over an earlier one.
TEST_F(InfoWindowTest, ControlsInTheirPlacesAndStackingOrder) {
    const std::pair<const char*, QRect> controls[] = {
        {"Shape_Hintergrund", {0, 0, 277, 405}},    {"LogoImage", {53, 19, 169, 89}},
        {"Label_Firmenname", {2, 134, 273, 23}},    {"Label_Strasse", {2, 166, 273, 18}},
        {"Label_Ort", {2, 190, 273, 18}},           {"Label_Tel", {2, 226, 273, 18}},
        {"Label_Fax", {2, 250, 273, 18}},           {"Label_Email", {2, 274, 273, 18}},
        {"Label_WWW", {2, 298, 273, 18}},           {"Label_Version", {2, 334, 273, 16}},
        {"Label_VersionZusatz", {2, 354, 273, 13}}, {"Label_Seitennummer", {126, 384, 25, 14}},
        {"Shape_Abdeckung2", {192, 273, 81, 46}},   {"Shape_Abdeckung1", {4, 273, 81, 46}},
    };
    const QObjectList children = info_.children();
    ASSERT_EQ(children.size(), static_cast<qsizetype>(std::size(controls)));
    for (std::size_t index = 0; index < std::size(controls); ++index) {
        auto* control = qobject_cast<QWidget*>(children.at(static_cast<qsizetype>(index)));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->objectName(), QLatin1String(controls[index].first));
        EXPECT_EQ(control->geometry(), controls[index].second) << controls[index].first;
    }
    EXPECT_EQ(info_.size(), QSize(277, 405));
}

}  // namespace

namespace {

// The mail and web lines show the configured addresses as they are, on both pages.
TEST_F(InfoWindowTest, LinkLinesShowTheConfiguredAddresses) {
    open();
    for (int page = 1; page <= 2; ++page) {
        EXPECT_EQ(text("Label_Email"), QStringLiteral(KALVIO_CONFIGURED_MAIL_ADDRESS)) << page;
        EXPECT_EQ(text("Label_WWW"), QStringLiteral(KALVIO_CONFIGURED_MAIN_HOST)) << page;
        QTest::keyClick(&info_, Qt::Key_Escape);
    }
}

// Only x 85 to 192 of the link lines is visible between the white covers: the addresses must
// show whole there.
TEST_F(InfoWindowTest, LinkTextsFitBetweenTheCovers) {
    open();
    for (const char* name : {"Label_Email", "Label_WWW"}) {
        const auto* line = info_.findChild<QLabel*>(name);
        ASSERT_NE(line, nullptr) << name;
        ASSERT_FALSE(line->text().isEmpty()) << name;
        EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), 192 - 85) << name;
    }
}

}  // namespace
