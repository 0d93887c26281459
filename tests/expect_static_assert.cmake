# Builds a target that must not compile, and passes only when it fails on a static assertion
# (rather than for some other reason).
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "${TARGET} compiled, but its table is broken")
endif()
if(NOT output MATCHES "static assertion failed")
  message(FATAL_ERROR "${TARGET} failed for another reason:\n${output}")
endif()
