// Makes a modal window of the program transient for the main window: compositors keep it
// above the main window, and those that place windows themselves (every Wayland compositor)
// centre it over the main window where they do. Without it, a window made without a parent is
// transient only for a hidden window of the toolkit, and a click on the main window may raise
// that over the dialog.
//
// Called on every showing, when the window's own handle exists; a main window never shown yet
// has no handle, and nothing changes.
#pragma once

class QWidget;

void MakeTransientForMainWindow(QWidget& window, const QWidget* mainWindow);
