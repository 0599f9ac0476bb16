#include "TForm_Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <cstdlib>

#include "DecimalSeparator.h"
#include "GeneralPopupMenu.h"
#include "MainWindowKeys.h"
#include "OverlayCover.h"
#include "PcServices.h"
#include "ResetCommands.h"
#include "TFormSpeedFaktor.h"
#include "TFormSpeedGenerator.h"
#include "TFormSpeedModus.h"
#include "TFormStartDelay.h"
#include "TFormStartDelayMM.h"
#include "TFormStartGenerator.h"
#include "TFormStartModus.h"
#include "TForm_Abdeckung.h"
#include "TForm_FileDialog.h"
#include "TForm_Info.h"
#include "TForm_Sprachen.h"
#include "WindowFont.h"
#include "WindowPrint.h"

TForm_Main* Form_Main = nullptr;

namespace {

constexpr int ClientWidth = 673;
constexpr int ClientHeight = 573;
constexpr int FontPixelHeight = 11;

const char* const NotSupportedMessage =
    "Microsoft Windows 95/98/Me wird nicht unterstützt...     \n\n"
    "Microsoft Windows 95/98/Me is not supported...     \n\n";
const char* const AlreadyRunningMessage =
    "Das Programm 'Kalvio' wird bereits ausgeführt...     \n\n"
    "The 'Kalvio' program is already running...     \n\n";

// A launcher's work: the dialog, once made by the entry point, shown over the dimmed screen.
void Launch(ParameterDialogFrame* dialog) {
    if (dialog != nullptr) {
        dialog->ShowModalCovered();
    }
}

}  // namespace

void TForm_Main::ShowRefusalAndExit(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ProductTitle), message,
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
    std::_Exit(-1);
}

// The refusal concerns one family of older systems only; no Linux system belongs to it.
bool TForm_Main::IsSupportedPlatform() {
    return true;
}

TForm_Main::TForm_Main(RefuseStart refuseStart) {
    if (!IsSupportedPlatform()) {
        refuseStart(QString::fromUtf8(NotSupportedMessage));
        throw std::runtime_error("platform refused");
    }
    if (!InstanceMutex.Acquire(InstanceName)) {
        refuseStart(QString::fromUtf8(AlreadyRunningMessage));
        throw std::runtime_error("second instance refused");
    }
    Form_Main = this;
    SetDefaultTexts();
    BuildWindow();
    ApplyFolders(DataFolders::LayOut());
    DeviceState.Clear();
    PageControl_Kalvio->setCurrentIndex(PageStart);
    PageControl_KalvioChange();
    connect(PageControl_Kalvio, &QTabWidget::currentChanged, this, [this](int index) {
        HandOver->SetActivePage(index);
        PageControl_KalvioChange();
    });
    StartThreads();
}

TForm_Main::~TForm_Main() {
    StopThreads();
    if (Form_Main == this) {
        Form_Main = nullptr;
    }
}

void TForm_Main::SetDefaultTexts() {
    SearchingText = QStringLiteral("Verbindung suchen über");
    ConnectedText = QStringLiteral("Verbunden über");
    ManualDialogTitle = QStringLiteral("Öffnen Benutzerhandbuch");
    LanguageDialogTitle = QStringLiteral("Sprache einstellen");
    LanguageCaption = QStringLiteral("Sprache");
    LanguageNotLoadedText = QStringLiteral("Sprache wurde nicht geladen.");
    LanguageLoadedText = QStringLiteral("Sprache wurde erfolgreich geladen.");
}

void TForm_Main::ApplyFolders(const DataFolders& folders) {
    StartFolder = folders.StartFolder;
    BaseFolder = folders.BaseFolder;
    ConfigFolder = folders.ConfigFolder;
    TmpFolder = folders.TmpFolder;
    HelpFolder = folders.HelpFolder;
    LanguageFolder = folders.LanguageFolder;
    TeamViewerFolder = folders.TeamViewerFolder;
}

void TForm_Main::BuildWindow() {
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QString::fromLatin1(ProductTitle));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(WindowFont(FontPixelHeight));

    BuildGeneralPopupMenu();

    PageControl_Kalvio = new QTabWidget(this);
    PageControl_Kalvio->setObjectName(QStringLiteral("PageControl_Kalvio"));
    PageControl_Kalvio->setGeometry(10, 10, 653, 553);
    PageControl_Kalvio->setFocusPolicy(Qt::NoFocus);
    PageControl_Kalvio->tabBar()->setFocusPolicy(Qt::NoFocus);
    // A style sheet's width and height are the content box: with the border and margin around
    // it each tab measures 144 x 50.
    PageControl_Kalvio->setStyleSheet(QStringLiteral(
        "QTabBar::tab { width: 138px; height: 44px; margin: 2px; border: 1px solid gray;"
        " border-radius: 3px; background: palette(button); }"
        "QTabBar::tab:hover { background: palette(light); }"
        "QTabBar::tab:selected { background: palette(midlight); border: 1px solid black; }"
        "QTabWidget::pane { border: none; }"));

    const std::pair<QWidget**, const char*> pages[] = {
        {&TabSheet_Start, "TabSheet_Start"},
        {&TabSheet_Speed, "TabSheet_Speed"},
        {&TabSheet_Orvatronic, "TabSheet_Orvatronic"},
        {&TabSheet_PC, "TabSheet_PC"},
    };
    const QString captions[] = {QStringLiteral("Startsignal"), QStringLiteral("Geschwindigkeit"),
                                QStringLiteral("Orvatronic"), QStringLiteral("PC")};
    for (std::size_t i = 0; i < std::size(pages); ++i) {
        *pages[i].first = new QWidget;
        (*pages[i].first)->setObjectName(QLatin1String(pages[i].second));
        PageControl_Kalvio->addTab(*pages[i].first, captions[i]);
    }
    StartPage = std::make_unique<StartSignalPage>(TabSheet_Start, DeviceState);
    SpeedPageView = std::make_unique<SpeedPage>(TabSheet_Speed, DeviceState);
    UnitPageView = std::make_unique<UnitPage>(TabSheet_Orvatronic);
    PcPageView = std::make_unique<PcPage>(TabSheet_PC);

    HandOver = std::make_unique<ReaderHandOver>(
        *StartPage, *SpeedPageView, *UnitPageView, DeviceState,
        ReaderHandOver::Window{[this] { PageControl_KalvioChange(); },
                               [this](bool connected, const std::string& portName) {
                                   SetCaption(connected ? ConnectedText : SearchingText, portName);
                               }});
    auto* resetCommands = new ResetCommands([this] { return WriterThread.get(); },
                                            [this] { RedisplayUnitValues(); }, this);
    resetCommands->PlaceOnClick(StartPage->SpeedButton_StartReset, "START.RESET");
    resetCommands->PlaceOnClick(SpeedPageView->SpeedButton_SpeedReset, "SPEED.RESET");
    ConnectLaunchers();
    connect(PcPageView->SpeedButton_VersionSprache, &QToolButton::clicked, this,
            &TForm_Main::SpeedButton_VersionSpracheClick);
    connect(PcPageView->SpeedButton_VersionKalvio, &QToolButton::clicked, this,
            &TForm_Main::ShowInfoWindow);
    ConnectServices();
    PcPageView->Label_VersionSprache->installEventFilter(this);
    new MainWindowKeys(this, PageControl_Kalvio);
}

// A right click that lands on no control with a menu of its own opens it.
void TForm_Main::BuildGeneralPopupMenu() {
    GeneralPopupMenu::Actions actions;
    actions.PrintScreen = [this] { PrintScreenClick(); };
    actions.Hilfe = [this] { Services->OpenManual(); };
    actions.Support = [this] { Services->StartSupport(); };
    actions.Update = [this] { Services->StartUpdate(); };
    actions.Info = [this] { ShowInfoWindow(); };
    PopupMenu_Algemein = GeneralPopupMenu::Make(this, actions);
}

// The PC page's buttons reach the same services as the general menu's items.
void TForm_Main::ConnectServices() {
    Services = std::make_unique<PcServices>(*this);
    const std::pair<QToolButton*, void (PcServices::*)()> services[] = {
        {PcPageView->SpeedButton_Hilfe, &PcServices::OpenManual},
        {PcPageView->SpeedButton_Support, &PcServices::StartSupport},
        {PcPageView->SpeedButton_Update, &PcServices::StartUpdate},
    };
    for (const auto& [button, service] : services) {
        const auto run = [this, service = service] { (Services.get()->*service)(); };
        connect(button, &QToolButton::clicked, this, run);
    }
}

void TForm_Main::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu_Algemein->popup(event->globalPos());
}

void TForm_Main::PrintScreenClick() {
    OverlayCover cover;
    window_print::PrintWithDialog(*this);
}

// QLabel has no double-click signal of its own.
bool TForm_Main::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PcPageView->Label_VersionSprache &&
        event->type() == QEvent::MouseButtonDblClick) {
        Label_VersionSpracheDblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm_Main::Label_VersionSpracheDblClick() {
    PcPageView->Edit_SpracheCRC->setVisible(PcPageView->Edit_SpracheCRC->isHidden());
}

void TForm_Main::ShowInfoWindow() {
    // The button must not look pressed under the overlay.
    PcPageView->SpeedButton_VersionKalvio->repaint();
    if (Form_Info != nullptr) {
        OverlayCover cover;
        Form_Info->exec();
    }
}

void TForm_Main::SpeedButton_VersionSpracheClick() {
    Services->LoadLanguage();
}

void TForm_Main::ConnectLaunchers() {
    const std::pair<QToolButton*, void (TForm_Main::*)()> launchers[] = {
        {StartPage->SpeedButton_StartModus, &TForm_Main::SpeedButton_StartModusClick},
        {StartPage->SpeedButton_StartGenerator, &TForm_Main::SpeedButton_StartGeneratorClick},
        {StartPage->SpeedButton_StartDelayMS, &TForm_Main::SpeedButton_StartDelayMSClick},
        {StartPage->SpeedButton_StartDelayMM, &TForm_Main::SpeedButton_StartDelayMMClick},
        {SpeedPageView->SpeedButton_SpeedModus, &TForm_Main::SpeedButton_SpeedModusClick},
        {SpeedPageView->SpeedButton_SpeedGenerator, &TForm_Main::SpeedButton_SpeedGeneratorClick},
        {SpeedPageView->SpeedButton_SpeedFaktor, &TForm_Main::SpeedButton_SpeedFaktorClick},
    };
    for (const auto& [button, handler] : launchers) {
        connect(button, &QToolButton::clicked, this, handler);
    }
}

void TForm_Main::StartThreads() {
    try {
        ReaderThread = std::make_unique<Thread_Read>(&synchronizer_, *HandOver, DeviceState,
                                                     RegionalDecimalSeparator());
        if (!ReaderThread->Start(WorkerThread::Priority::Normal)) {
            QApplication::beep();
        }
    } catch (...) {
        QApplication::beep();
    }
    try {
        WriterThread = std::make_unique<Thread_Write>();
        if (!WriterThread->Start(WorkerThread::Priority::AboveNormal)) {
            QApplication::beep();
        }
    } catch (...) {
        QApplication::beep();
    }
}

void TForm_Main::StopThreads() {
    if (threadsStopped_) {
        return;
    }
    threadsStopped_ = true;
    for (WorkerThread* thread : {static_cast<WorkerThread*>(ReaderThread.get()),
                                 static_cast<WorkerThread*>(WriterThread.get())}) {
        if (thread != nullptr) {
            thread->Terminate();
            synchronizer_.ServeUntil([thread] { return thread->Finished(); });
            thread->Stop();
        }
    }
    ReaderThread.reset();
    WriterThread.reset();
}

void TForm_Main::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        if (const QScreen* screen = this->screen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
        if (Form_Sprachen != nullptr) {
            Form_Sprachen->LoadSettings(ConfigFolder);
        }
    }
}

void TForm_Main::closeEvent(QCloseEvent* event) {
    if (Form_Sprachen != nullptr) {
        Form_Sprachen->SaveSettings(ConfigFolder);
    }
    StopThreads();
    InstanceMutex.Release();
    event->accept();
}

void TForm_Main::RedisplayUnitValues() {
    HandOver->RedisplayUnitValues();
}

void TForm_Main::PageControl_KalvioChange() {
    RedisplayUnitValues();
    StartPage->Reset();
    SpeedPageView->Reset();
    UnitPageView->Reset();
    PcPageView->RefreshVersion();
}

void TForm_Main::SetCaption(const QString& fragment, const std::string& portName) {
    setWindowTitle(
        QStringLiteral("%1    [%2 %3]")
            .arg(QString::fromLatin1(ProductTitle), fragment, QString::fromStdString(portName)));
}

void TForm_Main::SpeedButton_StartModusClick() {
    Launch(FormStartModus);
}

void TForm_Main::SpeedButton_StartGeneratorClick() {
    Launch(FormStartGenerator);
}

void TForm_Main::SpeedButton_StartDelayMSClick() {
    Launch(FormStartDelay);
}

void TForm_Main::SpeedButton_StartDelayMMClick() {
    Launch(FormStartDelayMM);
}

void TForm_Main::SpeedButton_SpeedModusClick() {
    Launch(FormSpeedModus);
}

void TForm_Main::SpeedButton_SpeedGeneratorClick() {
    Launch(FormSpeedGenerator);
}

void TForm_Main::SpeedButton_SpeedFaktorClick() {
    Launch(FormSpeedFaktor);
}
