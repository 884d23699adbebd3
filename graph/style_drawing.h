#pragma once

#include <QColor>
#include <QFont>

// The colours and fonts that every window and drawing of the program shares.

// Fonts by face and character height in pixels.
QFont courierFont(int pixelSize, bool bold = false, bool underline = false, bool italic = false);
QFont sansFont(int pixelSize);

namespace Colours {
inline const QColor Red(255, 0, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor Green(0, 128, 0);
inline const QColor Aqua(0, 255, 255);
inline const QColor Silver(192, 192, 192);
inline const QColor Navy(0, 0, 128);
} // namespace Colours
