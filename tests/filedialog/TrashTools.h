// The desktop's own trash tools, run as a user would run them, for holding the dialog's trash
// against them: trash-list, trash-restore and gio.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ToolRun {
    bool started = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

class TrashTools {
  public:
    static bool has(const QString& tool);
    // Runs the tool in `folder` with `input` on its standard input and waits (generously) for it.
    static ToolRun run(const QString& tool, const QStringList& arguments,
                       const QByteArray& folder = QByteArray(),
                       const QByteArray& input = QByteArray());
    // gio on a session bus of its own, so that it reaches the desktop's virtual file system.
    static ToolRun runGio(const QStringList& arguments);
};
