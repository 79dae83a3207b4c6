# Runs one conformance script through quillo-run and compares its standard output with the
# expected file byte for byte; on a difference prints a unified diff and fails.
#   cmake -DRUNNER=quillo-run -DSCRIPT=x.vbs -DEXPECTED=x.out -DACTUAL=out/x.out -P RunScript.cmake
foreach(var RUNNER SCRIPT EXPECTED ACTUAL)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RunScript.cmake: ${var} not set")
  endif()
endforeach()

get_filename_component(dir "${SCRIPT}" DIRECTORY)
execute_process(
  COMMAND "${RUNNER}" "${SCRIPT}"
  WORKING_DIRECTORY "${dir}"
  INPUT_FILE /dev/null
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)

get_filename_component(actual_dir "${ACTUAL}" DIRECTORY)
file(MAKE_DIRECTORY "${actual_dir}")
file(WRITE "${ACTUAL}" "${actual}")
file(READ "${EXPECTED}" expected)

set(failed FALSE)
if(NOT actual STREQUAL expected)
  execute_process(
    COMMAND diff -u --label "expected ${EXPECTED}" --label "actual ${ACTUAL}" "${EXPECTED}" "${ACTUAL}"
    OUTPUT_VARIABLE difference)
  message("${difference}")
  set(failed TRUE)
endif()
if(NOT status EQUAL 0)
  message("quillo-run exited with ${status}")
  set(failed TRUE)
endif()
if(NOT errors STREQUAL "")
  message("standard error:\n${errors}")
endif()
if(failed)
  message(FATAL_ERROR "${SCRIPT}: output differs from ${EXPECTED}")
endif()
