#pragma once

#include <QIcon>

namespace quillo {

// The program's icon, a grey classical column (32 x 32, and larger for big displays).
QIcon columnIcon();

} // namespace quillo
