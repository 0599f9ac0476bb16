// The information window: the maker's logo, the contact data of its two companies on two pages
// and the tool's version, in a small borderless white window. A click anywhere or Enter or
// Escape turns the page; after the second page the window closes. The mail and web lines are
// links: they open the mail program or the browser and close the window. Its texts are fixed;
// no language file reaches them.
//
//     Form_Info->exec();   // inside an OverlayCover; every showing starts at page 1
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <utility>
#include <vector>

class FrameShape;

class TForm_Info : public QDialog {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 277;
    static constexpr int ClientHeight = 405;

    // How a link is opened: the address as one argument, never a command line. The desktop's
    // handler by default; tests record it instead.
    using OpenLink = std::function<void(const QUrl& address)>;
    static void OpenWithDesktop(const QUrl& address);

    explicit TForm_Info(QWidget* mainWindow = nullptr, OpenLink openLink = OpenWithDesktop);

    static QUrl MailLink();
    static QUrl WebLink();

    // Shows the next page, or closes the window after the last one.
    void ShowPage();
    // 0 before the first page, then the number of the page shown.
    int PageNumberTag() const { return pageNumberTag_; }

    void Label_EmailClick();
    void Label_WWWClick();

    FrameShape* Shape_Hintergrund;
    QLabel* LogoImage;
    QLabel* Label_Firmenname;
    QLabel* Label_Strasse;
    QLabel* Label_Ort;
    QLabel* Label_Tel;
    QLabel* Label_Fax;
    QLabel* Label_Email;
    QLabel* Label_WWW;
    QLabel* Label_Version;
    QLabel* Label_VersionZusatz;
    QLabel* Label_Seitennummer;
    FrameShape* Shape_Abdeckung2;
    FrameShape* Shape_Abdeckung1;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildWindow();
    void WireClicks();
    void FormShow();
    void CentreOverMainWindow();
    void FillPage(int index);
    void OpenAndClose(const QUrl& address);
    bool IsLink(const QObject* control) const;

    QPointer<QWidget> mainWindow_;
    OpenLink openLink_;
    int pageNumberTag_ = 0;
    using Handler = void (TForm_Info::*)();
    using Handlers = std::vector<std::pair<const QObject*, Handler>>;
    static Handler HandlerOf(const Handlers& handlers, const QObject* control);

    // What a press on a shape, or a click on a label, does.
    Handlers pressHandlers_;
    Handlers clickHandlers_;
};

// The one information window of the running program.
extern TForm_Info* Form_Info;
