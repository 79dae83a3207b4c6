# The VBScript built-in library's sources, included by scripting/vbscript/CMakeLists.txt.
set(QUILLO_VBSCRIPT_LIBRARY_SOURCES
)
list(TRANSFORM QUILLO_VBSCRIPT_LIBRARY_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
