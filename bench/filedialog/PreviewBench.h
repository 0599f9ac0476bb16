// The picture preview's benchmark: how soon a big picture's thumbnail shows, and how long the
// GUI thread is held meanwhile.
#pragma once

#include <QString>

// Writes the pictures into folder, measures, prints one line per measurement; 0 when every
// picture showed.
int runPreviewBench(const QString& folder);
