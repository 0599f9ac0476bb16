// Makes a modal window of the program transient for the main window: compositors keep it
// above the main window, and those that place windows themselves (every Wayland compositor)
// centre it over the main window where they do. Without it, a window made without a parent is
// transient only for a hidden window of the toolkit, and a click on the main window may raise
// that over the dialog.
//
// In a Wayland session only. On X11 the window stays transient for the whole program (the
// toolkit's group leader), which keeps it above the full-screen overlay as well: a window
// manager raises the overlay when it is clicked, over a window transient for the main window
// alone.
//
// Called on every showing, when the window's own handle exists; a main window never shown yet
// has no handle, and nothing changes.
#pragma once

class QWidget;

void MakeTransientForMainWindow(QWidget& window, const QWidget* mainWindow);
