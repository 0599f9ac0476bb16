// The end of the desktop session, or a kill from a terminal, as a request to close.
//
// SIGTERM, SIGHUP and SIGINT would otherwise end the process on the spot: the language choice
// would not be stored and a setting the writer has not yet sent would be cut off mid-command.
// While an object of this class lives, each of them only writes a byte into a pipe; the GUI
// thread reads it and emits Requested(), where the program closes as if the user had. A second
// signal ends the process at once, as without this class: the first found it stuck.
#pragma once

#include <signal.h>
#include <QObject>

#include <iterator>
#include <memory>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
  public:
    // At most one lives at a time; a second one installs nothing and never emits.
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  signals:
    void Requested();

  private:
    void DrainPipe();

    static constexpr int HandledSignals[] = {SIGTERM, SIGHUP, SIGINT};
    struct sigaction previous_[std::size(HandledSignals)] = {};
    std::unique_ptr<QSocketNotifier> notifier_;
    bool installed_ = false;
};
