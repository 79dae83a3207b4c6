#pragma once
// File system failures as the runtime error numbers scripts test for.

#include <cstdint>
#include <system_error>

namespace quillo::script::objects {

[[noreturn]] void raise(int32_t number);
// 70 for access problems, 58 when something exists, 61 for a full disk, 57 for I/O
// errors, `missing` (53 or 76) when the path does not exist, 75 otherwise.
int32_t errorNumber(const std::error_code& ec, int32_t missing);
// Throws errorNumber(ec, missing) when `ec` holds an error.
void check(const std::error_code& ec, int32_t missing);

} // namespace quillo::script::objects
