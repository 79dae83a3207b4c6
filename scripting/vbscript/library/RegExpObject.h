#pragma once
// VBScript's RegExp class (`New RegExp`) and the collections its Execute returns:
// RegExp ("IRegExp2"): Pattern, IgnoreCase, Global, Multiline, Test, Execute, Replace;
// Matches ("IMatchCollection2"): Count, Item (default), For Each;
// Match ("IMatch2"): Value (default), FirstIndex, Length, SubMatches;
// SubMatches ("ISubMatches"): Count, Item (default), For Each.
// Matching runs on core's RegExp (ECMAScript syntax on PCRE2).

#include "scripting/core/Dispatch.h"

namespace quillo::vbscript::library {

quillo::script::DispatchPtr createRegExpObject();

} // namespace quillo::vbscript::library
