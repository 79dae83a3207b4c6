#pragma once
// The implementations behind the built-in function table, one group per source file.
// Each follows BuiltinCall's convention (see Builtins.h).

#include "scripting/vbscript/library/Builtins.h"

#include <span>

namespace quillo::vbscript::library {

// Declares (and, in the source files, defines) one built-in function.
#define QUILLO_VBS_BUILTIN(name) \
    Variant name([[maybe_unused]] BuiltinContext& context, [[maybe_unused]] std::span<Variant> args)

// StringFunctions.cpp
QUILLO_VBS_BUILTIN(asc);
QUILLO_VBS_BUILTIN(ascB);
QUILLO_VBS_BUILTIN(ascW);
QUILLO_VBS_BUILTIN(chr);
QUILLO_VBS_BUILTIN(chrB);
QUILLO_VBS_BUILTIN(chrW);
QUILLO_VBS_BUILTIN(inStr);
QUILLO_VBS_BUILTIN(inStrB);
QUILLO_VBS_BUILTIN(inStrRev);
QUILLO_VBS_BUILTIN(lCase);
QUILLO_VBS_BUILTIN(uCase);
QUILLO_VBS_BUILTIN(left);
QUILLO_VBS_BUILTIN(leftB);
QUILLO_VBS_BUILTIN(right);
QUILLO_VBS_BUILTIN(rightB);
QUILLO_VBS_BUILTIN(mid);
QUILLO_VBS_BUILTIN(midB);
QUILLO_VBS_BUILTIN(len);
QUILLO_VBS_BUILTIN(lenB);
QUILLO_VBS_BUILTIN(lTrim);
QUILLO_VBS_BUILTIN(rTrim);
QUILLO_VBS_BUILTIN(trim);
QUILLO_VBS_BUILTIN(space);
QUILLO_VBS_BUILTIN(string);
QUILLO_VBS_BUILTIN(strComp);
QUILLO_VBS_BUILTIN(strReverse);
QUILLO_VBS_BUILTIN(replace);
QUILLO_VBS_BUILTIN(escape);
QUILLO_VBS_BUILTIN(unescape);

// ArrayFunctions.cpp
QUILLO_VBS_BUILTIN(array);
QUILLO_VBS_BUILTIN(filter);
QUILLO_VBS_BUILTIN(join);
QUILLO_VBS_BUILTIN(split);
QUILLO_VBS_BUILTIN(lBound);
QUILLO_VBS_BUILTIN(uBound);

// MathFunctions.cpp
QUILLO_VBS_BUILTIN(abs);
QUILLO_VBS_BUILTIN(atn);
QUILLO_VBS_BUILTIN(cos);
QUILLO_VBS_BUILTIN(exp);
QUILLO_VBS_BUILTIN(fix);
QUILLO_VBS_BUILTIN(intPart);
QUILLO_VBS_BUILTIN(log);
QUILLO_VBS_BUILTIN(round);
QUILLO_VBS_BUILTIN(sgn);
QUILLO_VBS_BUILTIN(sin);
QUILLO_VBS_BUILTIN(sqr);
QUILLO_VBS_BUILTIN(tan);
QUILLO_VBS_BUILTIN(hex);
QUILLO_VBS_BUILTIN(oct);
QUILLO_VBS_BUILTIN(rgb);

// Random.cpp
QUILLO_VBS_BUILTIN(rnd);
QUILLO_VBS_BUILTIN(randomize);

// ConversionFunctions.cpp
QUILLO_VBS_BUILTIN(cBool);
QUILLO_VBS_BUILTIN(cByte);
QUILLO_VBS_BUILTIN(cCur);
QUILLO_VBS_BUILTIN(cDate);
QUILLO_VBS_BUILTIN(cDbl);
QUILLO_VBS_BUILTIN(cInt);
QUILLO_VBS_BUILTIN(cLng);
QUILLO_VBS_BUILTIN(cSng);
QUILLO_VBS_BUILTIN(cStr);
QUILLO_VBS_BUILTIN(isArray);
QUILLO_VBS_BUILTIN(isDate);
QUILLO_VBS_BUILTIN(isEmpty);
QUILLO_VBS_BUILTIN(isNull);
QUILLO_VBS_BUILTIN(isNumeric);
QUILLO_VBS_BUILTIN(isObject);
QUILLO_VBS_BUILTIN(typeName);
QUILLO_VBS_BUILTIN(varType);

// DateFunctions.cpp
QUILLO_VBS_BUILTIN(date);
QUILLO_VBS_BUILTIN(now);
QUILLO_VBS_BUILTIN(time);
QUILLO_VBS_BUILTIN(timer);
QUILLO_VBS_BUILTIN(dateAdd);
QUILLO_VBS_BUILTIN(dateDiff);
QUILLO_VBS_BUILTIN(datePart);
QUILLO_VBS_BUILTIN(dateSerial);
QUILLO_VBS_BUILTIN(dateValue);
QUILLO_VBS_BUILTIN(timeSerial);
QUILLO_VBS_BUILTIN(timeValue);
QUILLO_VBS_BUILTIN(year);
QUILLO_VBS_BUILTIN(month);
QUILLO_VBS_BUILTIN(day);
QUILLO_VBS_BUILTIN(hour);
QUILLO_VBS_BUILTIN(minute);
QUILLO_VBS_BUILTIN(second);
QUILLO_VBS_BUILTIN(weekday);

// FormatFunctions.cpp
QUILLO_VBS_BUILTIN(formatCurrency);
QUILLO_VBS_BUILTIN(formatDateTime);
QUILLO_VBS_BUILTIN(formatNumber);
QUILLO_VBS_BUILTIN(formatPercent);
QUILLO_VBS_BUILTIN(monthName);
QUILLO_VBS_BUILTIN(weekdayName);

// HostFunctions.cpp
QUILLO_VBS_BUILTIN(msgBox);
QUILLO_VBS_BUILTIN(inputBox);
QUILLO_VBS_BUILTIN(getLocale);
QUILLO_VBS_BUILTIN(setLocale);
QUILLO_VBS_BUILTIN(scriptEngine);
QUILLO_VBS_BUILTIN(scriptEngineBuildVersion);
QUILLO_VBS_BUILTIN(scriptEngineMajorVersion);
QUILLO_VBS_BUILTIN(scriptEngineMinorVersion);

} // namespace quillo::vbscript::library
