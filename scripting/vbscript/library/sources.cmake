# The VBScript built-in library's sources, included by scripting/vbscript/CMakeLists.txt.
set(QUILLO_VBSCRIPT_LIBRARY_SOURCES
  Arguments.cpp
  ArrayFunctions.cpp
  BuiltinTable.cpp
  ByteString.cpp
  Clock.cpp
  ConversionFunctions.cpp
  DateFunctions.cpp
  FixedFormat.cpp
  FormatFunctions.cpp
  LocalConvert.cpp
  Locale.cpp
  LocaleDateReading.cpp
  LocaleTable.cpp
  HostFunctions.cpp
  MathFunctions.cpp
  Random.cpp
  RegExpObject.cpp
  StringFunctions.cpp
)
list(TRANSFORM QUILLO_VBSCRIPT_LIBRARY_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
