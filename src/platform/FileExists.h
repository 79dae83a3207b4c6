#pragma once

#include <QString>

namespace quillo {

// The existence test for a name the user gave: true for a regular file (dot-files
// included, symbolic links followed); false for a directory, a device, a missing path or
// an empty name.
bool fileExists(const QString& name);

} // namespace quillo
