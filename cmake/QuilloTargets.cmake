# Helpers shared by every folder's CMakeLists.txt.

# quillo_library(NAME SOURCES ... [DEPS ...]): one static library per folder.
# Headers are included from the tree root: #include "scripting/core/Variant.h".
function(quillo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# quillo_gtest(NAME SOURCES ... [DEPS ...] [LABELS ...]): a GoogleTest binary whose cases
# ctest discovers one by one. Tests run headless, with settings and home in a scratch folder.
function(quillo_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  if(NOT ARG_LABELS)
    set(ARG_LABELS unit)
  endif()
  set(scratch ${CMAKE_BINARY_DIR}/test-home/${name})
  file(MAKE_DIRECTORY ${scratch}/config)
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS "${ARG_LABELS}"
      TIMEOUT 300
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${scratch};XDG_CONFIG_HOME=${scratch}/config;LC_ALL=C.UTF-8;TZ=UTC")
endfunction()
