#include "TForm_Info.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>

#include "FrameShape.h"
#include "MainWindowTransient.h"
#include "MakerCompanies.h"
#include "MakerEndpoints.h"
#include "MakerLogo.h"
#include "ParameterDialogFrame.h"
#include "ProgramVersion.h"
#include "WindowFont.h"

TForm_Info* Form_Info = nullptr;

namespace {

const QColor Grey(128, 128, 128);
const QColor LinkBlue(0, 0, 255);
constexpr int LineLeft = 2;
constexpr int LineWidth = 273;

QLabel* Line(QWidget* parent, const char* name, int top, int height, int fontHeight) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(LineLeft, top, LineWidth, height);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(WindowFont(fontHeight));
    return label;
}

void MakeLink(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, LinkBlue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

}  // namespace

void TForm_Info::OpenWithDesktop(const QUrl& address) {
    QDesktopServices::openUrl(address);
}

TForm_Info::TForm_Info(QWidget* mainWindow, OpenLink openLink)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mainWindow_(mainWindow),
      openLink_(std::move(openLink)) {
    // A window of its own like the parameter dialogs, so that the main window's children are
    // only its own.
    setObjectName(QStringLiteral("Form_Info"));
    setFixedSize(ClientWidth, ClientHeight);
    setFont(WindowFont(13));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
    BuildWindow();
    WireClicks();
}

QUrl TForm_Info::MailLink() {
    return QUrl(QStringLiteral("mailto:%1?subject=%2")
                    .arg(QLatin1String(maker_endpoints::InfoMail),
                         QString::fromUtf8(maker_endpoints::MailSubject)));
}

QUrl TForm_Info::WebLink() {
    return QUrl(QStringLiteral("http://") + QLatin1String(maker_endpoints::WebHost));
}

// Made from the bottom of the stacking order up: a later control lies over an earlier one and
// gets the clicks there first.
void TForm_Info::BuildWindow() {
    Shape_Hintergrund = new FrameShape(this, QStringLiteral("Shape_Hintergrund"),
                                       {0, 0, ClientWidth, ClientHeight}, Qt::white, Grey, 4);
    LogoImage = new QLabel(this);
    LogoImage->setObjectName(QStringLiteral("LogoImage"));
    LogoImage->setGeometry(53, 19, 169, 89);
    LogoImage->setAlignment(Qt::AlignCenter);
    LogoImage->setPixmap(MakerLogo(LogoImage->size(), LogoImage->devicePixelRatioF()));
    Label_Firmenname = Line(this, "Label_Firmenname", 134, 23, 19);
    QFont bold = Label_Firmenname->font();
    bold.setBold(true);
    Label_Firmenname->setFont(bold);
    Label_Strasse = Line(this, "Label_Strasse", 166, 18, 13);
    Label_Ort = Line(this, "Label_Ort", 190, 18, 13);
    Label_Tel = Line(this, "Label_Tel", 226, 18, 13);
    Label_Fax = Line(this, "Label_Fax", 250, 18, 13);
    Label_Email = Line(this, "Label_Email", 274, 18, 13);
    MakeLink(Label_Email);
    Label_WWW = Line(this, "Label_WWW", 298, 18, 13);
    MakeLink(Label_WWW);
    Label_Version = Line(this, "Label_Version", 334, 16, 13);
    Label_VersionZusatz = Line(this, "Label_VersionZusatz", 354, 13, 11);
    Label_Seitennummer = new QLabel(this);
    Label_Seitennummer->setObjectName(QStringLiteral("Label_Seitennummer"));
    Label_Seitennummer->setGeometry(126, 384, 25, 14);
    Label_Seitennummer->setAlignment(Qt::AlignCenter);
    Label_Seitennummer->setFont(WindowFont(11));
    QPalette tag = Label_Seitennummer->palette();
    tag.setColor(QPalette::Window, Grey);
    tag.setColor(QPalette::WindowText, Qt::white);
    Label_Seitennummer->setPalette(tag);
    Label_Seitennummer->setAutoFillBackground(true);
    // Only the middle of the link lines shows, and only there is a click a link.
    Shape_Abdeckung2 = new FrameShape(this, QStringLiteral("Shape_Abdeckung2"), {192, 273, 81, 46},
                                      Qt::white, Qt::white, 1);
    Shape_Abdeckung1 = new FrameShape(this, QStringLiteral("Shape_Abdeckung1"), {4, 273, 81, 46},
                                      Qt::white, Qt::white, 1);
}

void TForm_Info::WireClicks() {
    pressHandlers_ = {{Shape_Hintergrund, &TForm_Info::ShowPage},
                      {Shape_Abdeckung1, &TForm_Info::ShowPage},
                      {Shape_Abdeckung2, &TForm_Info::ShowPage}};
    clickHandlers_ = {
        {LogoImage, &TForm_Info::ShowPage},           {Label_Firmenname, &TForm_Info::ShowPage},
        {Label_Strasse, &TForm_Info::ShowPage},       {Label_Ort, &TForm_Info::ShowPage},
        {Label_Tel, &TForm_Info::ShowPage},           {Label_Fax, &TForm_Info::ShowPage},
        {Label_Email, &TForm_Info::Label_EmailClick}, {Label_WWW, &TForm_Info::Label_WWWClick},
        {Label_Version, &TForm_Info::ShowPage},       {Label_VersionZusatz, &TForm_Info::ShowPage}};
    for (QObject* control : children()) {
        control->installEventFilter(this);
    }
}

void TForm_Info::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm_Info::FormShow() {
    MakeTransientForMainWindow(*this, mainWindow_);
    CentreOverMainWindow();
    Label_Version->setText(QStringLiteral("Version: ") +
                           QLatin1String(program_version::VersionText));
    Label_VersionZusatz->setText(QStringLiteral("Stand ") +
                                 QLatin1String(program_version::BuildDate));
    pageNumberTag_ = 0;
    ShowPage();
}

// Without a frame the window's outer size is its client size.
void TForm_Info::CentreOverMainWindow() {
    if (mainWindow_ != nullptr) {
        move(ParameterDialogFrame::CentredTopLeft(mainWindow_->frameGeometry(), size()));
    }
}

void TForm_Info::ShowPage() {
    if (pageNumberTag_ < 0 || pageNumberTag_ >= static_cast<int>(maker_companies::Pages.size())) {
        accept();
        return;
    }
    FillPage(pageNumberTag_);
    ++pageNumberTag_;
}

void TForm_Info::FillPage(int index) {
    const maker_companies::Company& company = maker_companies::Pages.at(index);
    Label_Firmenname->setText(QString::fromUtf8(company.name));
    Label_Strasse->setText(QString::fromUtf8(company.street));
    Label_Ort->setText(QString::fromUtf8(company.town));
    Label_Tel->setText(QStringLiteral("Tel: ") + QString::fromUtf8(company.phone));
    Label_Fax->setText(QStringLiteral("Fax: ") + QString::fromUtf8(company.fax));
    Label_Email->setText(QLatin1String(maker_endpoints::InfoMail));
    Label_WWW->setText(QLatin1String(maker_endpoints::WebHost));
    Label_Seitennummer->setText(
        QStringLiteral("%1/%2").arg(index + 1).arg(maker_companies::Pages.size()));
}

void TForm_Info::Label_EmailClick() {
    OpenAndClose(MailLink());
}

void TForm_Info::Label_WWWClick() {
    OpenAndClose(WebLink());
}

// Whether the program opened is not asked: the window closes either way.
void TForm_Info::OpenAndClose(const QUrl& address) {
    if (openLink_) {
        openLink_(address);
    }
    accept();
}

void TForm_Info::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            ShowPage();
            break;
        default:
            break;  // neither closes nor reaches the dialog's own key handling
    }
}

// Shapes act when the button goes down, labels on a click: down and up again over them. Any
// mouse button turns the page; only the left one opens a link. The second press of a double
// click comes as a double-click event: it counts as a press like the first, so a double click
// turns two pages wherever it lands.
bool TForm_Info::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        if (Handler handler = HandlerOf(pressHandlers_, watched)) {
            (this->*handler)();
            return true;
        }
        // A label takes the press, so that the release comes back to it.
        return HandlerOf(clickHandlers_, watched) != nullptr;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        Handler handler = HandlerOf(clickHandlers_, watched);
        if (handler != nullptr && release->button() != Qt::LeftButton && IsLink(watched)) {
            handler = &TForm_Info::ShowPage;
        }
        if (handler != nullptr &&
            static_cast<QWidget*>(watched)->rect().contains(release->position().toPoint())) {
            (this->*handler)();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TForm_Info::IsLink(const QObject* control) const {
    return control == Label_Email || control == Label_WWW;
}

TForm_Info::Handler TForm_Info::HandlerOf(const Handlers& handlers, const QObject* control) {
    for (const auto& [target, handler] : handlers) {
        if (target == control) {
            return handler;
        }
    }
    return nullptr;
}
