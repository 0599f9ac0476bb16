// The Reset buttons of the start and speed pages. One press places one set of commands: the
// button stays disabled until the reader shows the mode again, and the reader shows it afresh
// only once the writer has taken the whole set. So the second press of a double click, or a
// press while the unit restarts, finds the button disabled.
#pragma once

#include <QObject>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "Thread_Write.h"

class ResetCommands : public QObject {
  public:
    // How often the window looks whether the writer has taken the set.
    static constexpr int TakenCheckMs = 50;

    using Writer = std::function<Thread_Write*()>;
    using Redisplay = std::function<void()>;
    ResetCommands(Writer writer, Redisplay redisplay, QObject* parent);

    // A click on the button places resetCommand, "KONFIG.SAVE" and "RESET" into the writer's
    // slots 1 to 3.
    void PlaceOnClick(QToolButton* button, const char* resetCommand);

  private:
    void Place(QToolButton* button, const char* resetCommand);

    void RedisplayOnceTaken();

    Writer writer_;
    Redisplay redisplay_;
    QTimer takenCheck_;
};
