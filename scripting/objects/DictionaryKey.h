#pragma once
// How a Dictionary compares keys: numbers by value whatever their subtype (Integer 1,
// Long 1 and Double 1.0 are one key), strings by text (case-folded in text mode),
// objects by identity; every other type is a kind of its own, so 1, "1", True and
// #12/31/1899# are four different keys.

#include "scripting/core/Variant.h"

#include <cstdint>

namespace quillo::script::objects {

enum class KeyCompare : uint8_t { Binary, Text };

// Throws ScriptError 5 for an array key (keys can be anything but an array).
uint64_t hashKey(const Variant& key, KeyCompare mode);
bool keysEqual(const Variant& a, const Variant& b, KeyCompare mode);

} // namespace quillo::script::objects
