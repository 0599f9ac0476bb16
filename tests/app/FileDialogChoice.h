// Chooses a file in the program's file dialog while an action that shows it runs: once the
// dialog is up, the name is typed and OK pressed. A dialog still open after a generous deadline
// is cancelled, so a test fails instead of hanging the run.
#pragma once

#include <QString>
#include <functional>

// True when the dialog was shown and the name chosen.
bool ChooseInFileDialog(const QString& fileName, const std::function<void()>& action);
