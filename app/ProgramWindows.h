// Every window of the program, made once in a fixed order and kept until the end. Modal
// windows are shown and hidden, never made again. The global window objects point at them for
// the lifetime of this object.
#pragma once

#include <memory>

#include "TForm_Main.h"

class TForm_FileDialog;
class TForm_Abdeckung;
class TFormStartModus;
class TFormSpeedModus;
class TFormStartGenerator;
class TFormSpeedFaktor;
class TFormStartDelayMM;
class TFormSpeedGenerator;
class TFormStartDelay;
class TForm_Sprachen;
class TForm_Info;
class TerminationSignals;

class ProgramWindows {
  public:
    // Making the main window is the program's start-up; a refused start does not return.
    explicit ProgramWindows(TForm_Main::RefuseStart refuseStart = TForm_Main::ShowRefusalAndExit);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TForm_Main& Main() { return *main_; }
    // A window of the program by its global object's name ("Form_Main", "FormStartModus",
    // "Form_FileDialog", ...); nullptr for another name or a window not made yet.
    static QWidget* Find(const QString& windowName);

    // The end of the session (SIGTERM, SIGHUP, SIGINT): every dialog left open is cancelled,
    // innermost first, so nothing half-set is sent; then the main window closes as by its
    // close button, storing the language choice and stopping the threads.
    void CloseForSessionEnd();

  private:
    // Destroyed in reverse order: the dialogs before the main window they are centred over.
    std::unique_ptr<TForm_Main> main_;
    std::unique_ptr<TForm_FileDialog> fileDialog_;
    std::unique_ptr<TForm_Abdeckung> overlay_;
    std::unique_ptr<TFormStartModus> startModus_;
    std::unique_ptr<TFormSpeedModus> speedModus_;
    std::unique_ptr<TFormStartGenerator> startGenerator_;
    std::unique_ptr<TFormSpeedFaktor> speedFaktor_;
    std::unique_ptr<TFormStartDelayMM> startDelayMM_;
    std::unique_ptr<TFormSpeedGenerator> speedGenerator_;
    std::unique_ptr<TForm_Sprachen> sprachen_;
    std::unique_ptr<TForm_Info> info_;
    std::unique_ptr<TFormStartDelay> startDelay_;
    std::unique_ptr<TerminationSignals> terminationSignals_;
};
