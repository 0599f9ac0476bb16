// A Home or Browse entry: the menu label (also the caption suffix), the folder to open or to
// root the folder picker at, and the floor at which Back stops. Nothing of it is stored.
#pragma once

#include <QString>

struct NavigationEntry {
    QString label;
    QString path;
    QString floor;
};
