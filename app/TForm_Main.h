// The main window and the program's start-up and shutdown: the single-instance guard, the data
// folders, the four tab pages, and the reader and writer threads of the device link.
#pragma once

#include <QMenu>
#include <QTabWidget>
#include <QWidget>
#include <functional>
#include <memory>

#include "DataFolders.h"
#include "DeviceStateRecord.h"
#include "GuiSynchronizer.h"
#include "PcPage.h"
#include "PcServices.h"
#include "ReaderHandOver.h"
#include "SingleInstanceLock.h"
#include "SpeedPage.h"
#include "StartSignalPage.h"
#include "Thread_Read.h"
#include "Thread_Write.h"
#include "UnitPage.h"

class TForm_Main : public QWidget {
    Q_OBJECT
    // The text slots a language file replaces, reachable by name.
    Q_PROPERTY(QString SearchingText MEMBER SearchingText)
    Q_PROPERTY(QString ConnectedText MEMBER ConnectedText)
    Q_PROPERTY(QString ManualDialogTitle MEMBER ManualDialogTitle)
    Q_PROPERTY(QString LanguageDialogTitle MEMBER LanguageDialogTitle)
    Q_PROPERTY(QString LanguageCaption MEMBER LanguageCaption)
    Q_PROPERTY(QString LanguageNotLoadedText MEMBER LanguageNotLoadedText)
    Q_PROPERTY(QString LanguageLoadedText MEMBER LanguageLoadedText)
  public:
    static constexpr const char* ProductTitle = "Kalvio - Quenzel AG";
    static constexpr const char* InstanceName = "Kalvio";
    static constexpr int PageStart = 0;
    static constexpr int PageSpeed = 1;
    static constexpr int PageUnit = 2;
    static constexpr int PagePc = 3;

    // How start-up turns a user away (a second instance). The program shows the message and
    // ends at once with status -1; tests record it instead.
    using RefuseStart = std::function<void(const QString& message)>;
    static void ShowRefusalAndExit(const QString& message);
    static bool IsSupportedPlatform();

    explicit TForm_Main(RefuseStart refuseStart = ShowRefusalAndExit);
    ~TForm_Main() override;

    // Something besides the reader changed how unit values are shown (the mode names): the
    // reader hands every value over again in its next cycle.
    void RedisplayUnitValues();
    // The page-change handler: every displayed unit value becomes unknown.
    void PageControl_KalvioChange();
    // The launchers: each opens its dialog over the dimmed screen and waits until it closes.
    void SpeedButton_StartModusClick();
    void SpeedButton_StartGeneratorClick();
    void SpeedButton_StartDelayMSClick();
    void SpeedButton_StartDelayMMClick();
    void SpeedButton_SpeedModusClick();
    void SpeedButton_SpeedGeneratorClick();
    void SpeedButton_SpeedFaktorClick();
    // Prints the window, scaled to fit one page, over the dimmed screen.
    void PrintScreenClick();
    // The interactive language load from the PC page, over the dimmed screen.
    void SpeedButton_VersionSpracheClick();
    // The information window over the dimmed screen, until it closes.
    void ShowInfoWindow();
    // Shows or hides the checksum field beside the language version.
    void Label_VersionSpracheDblClick();
    // Stops the reader, then the writer, each completely, serving their hand-overs meanwhile.
    void StopThreads();

    QString StartFolder, BaseFolder, ConfigFolder, TmpFolder, HelpFolder, LanguageFolder,
        TeamViewerFolder;
    QString SearchingText, ConnectedText, ManualDialogTitle, LanguageDialogTitle, LanguageCaption,
        LanguageNotLoadedText, LanguageLoadedText;
    DeviceStateRecord DeviceState;
    // Where the reader's hand-overs land; the reader reads the active page through it.
    std::unique_ptr<ReaderHandOver> HandOver;
    std::unique_ptr<Thread_Read> ReaderThread;
    std::unique_ptr<Thread_Write> WriterThread;

    QTabWidget* PageControl_Kalvio;
    QWidget* TabSheet_Start;
    QWidget* TabSheet_Speed;
    QWidget* TabSheet_Orvatronic;
    QWidget* TabSheet_PC;
    // The general popup menu; its items' texts come from a language file too.
    QMenu* PopupMenu_Algemein;
    std::unique_ptr<StartSignalPage> StartPage;
    std::unique_ptr<SpeedPage> SpeedPageView;
    std::unique_ptr<UnitPage> UnitPageView;
    std::unique_ptr<PcPage> PcPageView;
    // Manual, support, update and the language load; replaceable hooks for the outside world.
    std::unique_ptr<PcServices> Services;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void SetDefaultTexts();
    void ApplyFolders(const DataFolders& folders);
    void BuildWindow();
    void ConnectLaunchers();
    void BuildGeneralPopupMenu();
    void ConnectServices();
    void StartThreads();
    void SetCaption(const QString& fragment, const std::string& portName);

    GuiSynchronizer synchronizer_;
    SingleInstanceLock InstanceMutex;
    bool shownBefore_ = false;
    bool threadsStopped_ = false;
};

// The one main window of the running program.
extern TForm_Main* Form_Main;
