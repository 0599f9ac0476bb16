// The system's window font: Verdana where it is installed, else DejaVu Sans, which is close to
// it in its metrics, at a height in pixels.
#pragma once

#include <QFont>

QFont WindowFont(int pixelHeight);
