// The end of the desktop session, or a kill from a terminal, as a request to close.
//
// SIGTERM, SIGHUP and SIGINT would otherwise end the process on the spot: the language choice
// would not be stored and a setting the writer has not yet sent would be cut off mid-command.
// While an object of this class lives, the GUI thread watches the stop pipe and emits
// Requested(), where the program closes as if the user had. A second signal ends the process at
// once, as without this class: the first found it stuck.
#pragma once

#include <QObject>

#include <memory>

#include "StopSignals.h"

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
    StopSignals stop_;
    // Declared after the pipe it watches, so that it goes first.
    std::unique_ptr<QSocketNotifier> notifier_;
};
