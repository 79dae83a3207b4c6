#pragma once
// The resize layout of the main window's client area: both document boxes at the top
// left, filling the area above the status strip when the strip is switched on.

#include <QRect>
#include <QSize>

namespace quillo {

struct MainLayoutGeometry {
    QRect textMain0;
    QRect textMain1;
    QRect pictureStatus;
    int labelStatusWidth = 0;
};

// Geometry after the layout steps, starting from current. Each step is attempted on its
// own: one that would give a negative size (a tiny window) is skipped and the rest still
// run. stripBorder is the strip's frame, the difference between its width and its inner
// width. The strip's height is its current one; whether it is visible is not looked at,
// only statusBarChecked.
MainLayoutGeometry layOutMain(MainLayoutGeometry current, QSize client, bool statusBarChecked,
                              int stripBorder);

} // namespace quillo
