#include "src/app/MainLayout.h"

#include "src/platform/Twips.h"

namespace quillo {

namespace {
// The gap that the status label leaves at the strip's right end (100 twips).
const int LabelRightGap = pixelsFromTwips(100);

void setWidth(QRect& rect, int width) {
    if (width >= 0) rect.setWidth(width);
}
void setHeight(QRect& rect, int height) {
    if (height >= 0) rect.setHeight(height);
}
} // namespace

MainLayoutGeometry layOutMain(MainLayoutGeometry current, QSize client, bool statusBarChecked,
                              int stripBorder) {
    MainLayoutGeometry g = current;
    g.textMain0.moveTopLeft(QPoint(0, 0));
    g.textMain1.moveTopLeft(QPoint(0, 0));

    const int stripHeight = g.pictureStatus.height();
    if (statusBarChecked) {
        g.pictureStatus.moveTop(client.height() - stripHeight);
        g.pictureStatus.moveLeft(0);
        setWidth(g.pictureStatus, client.width());
        const int labelWidth = g.pictureStatus.width() - stripBorder - LabelRightGap;
        if (labelWidth >= 0) g.labelStatusWidth = labelWidth;
        setWidth(g.textMain0, client.width());
        setHeight(g.textMain0, client.height() - stripHeight);
    } else {
        setWidth(g.textMain0, client.width());
        setHeight(g.textMain0, client.height());
    }

    setWidth(g.textMain1, g.textMain0.width());
    setHeight(g.textMain1, g.textMain0.height());
    return g;
}

} // namespace quillo
