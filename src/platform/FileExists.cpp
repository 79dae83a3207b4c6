#include "src/platform/FileExists.h"

#include <QFileInfo>

namespace quillo {

bool fileExists(const QString& name) {
    if (name.isEmpty()) return false;
    return QFileInfo(name).isFile();
}

} // namespace quillo
