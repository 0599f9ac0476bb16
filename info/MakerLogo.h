// The maker's logo, drawn from the built-in picture to fit a box with its proportions kept, for
// a screen of the given device pixel ratio.
#pragma once

#include <QPixmap>
#include <QSize>

QPixmap MakerLogo(QSize box, qreal devicePixelRatio);
