#pragma once

#include <QList>
#include <QRect>

// Where a stored window rectangle goes on the screens there are now: on the
// screen it overlaps most (the first, primary screen when it overlaps none), no
// larger than that screen's available area, and moved as little as needed to lie
// wholly on it. Any stored numbers are safe, INT_MAX included. With no screens
// the rectangle is only limited to what a QRect can hold.
QRect FitOnScreen(int x, int y, int width, int height, const QList<QRect>& availableScreens);
