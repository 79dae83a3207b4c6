#pragma once
// Native stack headroom: recursion in the parser, the compiler and native-to-script
// calls checks this before the C++ stack runs out (the script then gets error 28).

#include <cstddef>

namespace quillo::jscript {

// True when less than a safety margin of the current thread's stack is left.
bool nativeStackLow();

}  // namespace quillo::jscript
