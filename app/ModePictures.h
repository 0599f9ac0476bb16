// The pictures of the start and speed modes, drawn in the unit pages' colours: red for high,
// blue for low, gray for edges. Mode 0 is an empty 52 x 52 picture, the others 104 x 52.
#pragma once

#include <QPixmap>

namespace mode_pictures {

constexpr int StartModeCount = 4;
constexpr int SpeedModeCount = 5;

// Drawn for a screen of the given device pixel ratio; the picture's logical size stays the same.
QPixmap StartPicture(int mode, qreal devicePixelRatio);
QPixmap SpeedPicture(int mode, qreal devicePixelRatio);

}  // namespace mode_pictures
