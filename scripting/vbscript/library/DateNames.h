#pragma once
// English (United States) month and weekday names.

#include <string_view>

namespace quillo::vbscript::library {

// month 1-12.
std::u16string_view monthNameOf(int month, bool abbreviated);
// weekday 1 = Sunday ... 7 = Saturday.
std::u16string_view weekdayNameOf(int weekday, bool abbreviated);

} // namespace quillo::vbscript::library
