#include "ProgramWindows.h"

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
#include "TerminationSignals.h"

#include <QApplication>
#include <QDialog>

namespace {

template <typename Window>
std::unique_ptr<Window> MakeDialog(Window*& global, TForm_Main& main) {
    auto window = std::make_unique<Window>(&main, main.DeviceState, main.WriterThread.get());
    global = window.get();
    return window;
}

template <typename Window>
std::unique_ptr<Window> MakeWindow(Window*& global, TForm_Main& main) {
    auto window = std::make_unique<Window>(&main);
    global = window.get();
    return window;
}

// The pages name the modes with a mode dialog's list: when its entries are renamed (a language
// file), the reader must hand the modes over again, even though their numbers did not change.
void RedisplayWhenRenamed(const QComboBox* modeList, TForm_Main& main) {
    QAbstractItemModel* names = modeList->model();
    const auto redisplay = [&main] { main.RedisplayUnitValues(); };
    QObject::connect(names, &QAbstractItemModel::dataChanged, &main, redisplay);
    QObject::connect(names, &QAbstractItemModel::rowsInserted, &main, redisplay);
    QObject::connect(names, &QAbstractItemModel::rowsRemoved, &main, redisplay);
    QObject::connect(names, &QAbstractItemModel::modelReset, &main, redisplay);
}

}  // namespace

ProgramWindows::ProgramWindows(TForm_Main::RefuseStart refuseStart)
    : main_(std::make_unique<TForm_Main>(std::move(refuseStart))) {
    TForm_Main& main = *main_;
    fileDialog_ = MakeWindow(Form_FileDialog, main);
    overlay_ = MakeWindow(Form_Abdeckung, main);
    startModus_ = MakeDialog(FormStartModus, main);
    speedModus_ = MakeDialog(FormSpeedModus, main);
    RedisplayWhenRenamed(startModus_->ComboBox_StartModus, main);
    RedisplayWhenRenamed(speedModus_->ComboBox_SpeedModus, main);
    startGenerator_ = MakeDialog(FormStartGenerator, main);
    speedFaktor_ = MakeDialog(FormSpeedFaktor, main);
    startDelayMM_ = MakeDialog(FormStartDelayMM, main);
    speedGenerator_ = MakeDialog(FormSpeedGenerator, main);
    sprachen_ = std::make_unique<TForm_Sprachen>(nullptr, &ProgramWindows::Find);
    Form_Sprachen = sprachen_.get();
    info_ = MakeWindow(Form_Info, main);
    startDelay_ = MakeDialog(FormStartDelay, main);
    terminationSignals_ = std::make_unique<TerminationSignals>();
    QObject::connect(terminationSignals_.get(), &TerminationSignals::Requested, &main,
                     [this] { CloseForSessionEnd(); });
}

void ProgramWindows::CloseForSessionEnd() {
    // Dialogs open over dialogs (a question over the file dialog) are few; a window that
    // refuses to go ends the loop rather than spinning on it.
    constexpr int MostStackedWindows = 8;
    for (int count = 0; count < MostStackedWindows; ++count) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            break;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        if (QApplication::activeModalWidget() == modal) {
            break;
        }
    }
    main_->close();
}

QWidget* ProgramWindows::Find(const QString& windowName) {
    const std::pair<const char*, QWidget*> windows[] = {
        {"Form_Main", Form_Main},
        {"Form_FileDialog", Form_FileDialog},
        {"FormStartModus", FormStartModus},
        {"FormSpeedModus", FormSpeedModus},
        {"FormStartGenerator", FormStartGenerator},
        {"FormSpeedFaktor", FormSpeedFaktor},
        {"FormStartDelayMM", FormStartDelayMM},
        {"FormSpeedGenerator", FormSpeedGenerator},
        {"FormStartDelay", FormStartDelay},
        {"Form_Info", Form_Info},
    };
    for (const auto& [name, window] : windows) {
        if (windowName == QLatin1String(name)) {
            return window;
        }
    }
    return nullptr;
}

ProgramWindows::~ProgramWindows() {
    Form_Info = nullptr;
    Form_Sprachen = nullptr;
    FormStartDelay = nullptr;
    FormSpeedGenerator = nullptr;
    FormStartDelayMM = nullptr;
    FormSpeedFaktor = nullptr;
    FormStartGenerator = nullptr;
    FormSpeedModus = nullptr;
    FormStartModus = nullptr;
    Form_Abdeckung = nullptr;
    Form_FileDialog = nullptr;
    // The threads end before any dialog that could still be handed something goes.
    main_->StopThreads();
}
