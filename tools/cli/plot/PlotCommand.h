// "kalvio-cli plot": a recording drawn into a PNG or SVG picture, with Qt's painting. It lives
// in a library of its own so that the rest of kalvio-cli needs no Qt.
#pragma once

#include <ostream>

#include "CliArguments.h"

int PlotRecording(const CliArguments& arguments, std::ostream& out);
