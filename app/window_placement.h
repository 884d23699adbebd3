#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where a window of the given outer size starts on a screen's free area
// (screen): inside it wherever the window fits; over as little of keepClear
// as the room allows (what must stay in sight, such as a drawing or another
// window); then over as little of ratherClear (the rest of the main window);
// among equal places the one furthest right, then highest, since the main
// window stands at the left.
QRect placeWindow(const QSize& size, const QRect& screen, const QList<QRect>& keepClear,
                  const QList<QRect>& ratherClear = {});
