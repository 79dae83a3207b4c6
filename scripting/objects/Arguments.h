#pragma once
// Reading the arguments of the file system members; an omitted optional argument
// arrives as the missing-argument Variant or not at all.

#include "scripting/core/Variant.h"

#include <cstdint>
#include <span>
#include <string>

namespace quillo::script::objects {

bool isOmitted(std::span<Variant> args, size_t i);
bool optionalBool(std::span<Variant> args, size_t i, bool fallback);
int32_t optionalLong(std::span<Variant> args, size_t i, int32_t fallback);
std::u16string textArg(std::span<Variant> args, size_t i);

} // namespace quillo::script::objects
