#include "src/app/AppIcon.h"

inline void initIconResources() { Q_INIT_RESOURCE(icons); }

namespace quillo {

QIcon columnIcon() {
    initIconResources(); // the resources live in a static library
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/column-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/column-128.png"), QSize(128, 128));
    return icon;
}

} // namespace quillo
