# Runs the picture generator into OUTPUT and fails unless assets/pictures (COMMITTED) holds
# exactly the same files with exactly the same bytes.
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed (${status}): ${errors}")
endif()

file(GLOB made RELATIVE ${OUTPUT} ${OUTPUT}/*)
file(GLOB committed RELATIVE ${COMMITTED} ${COMMITTED}/*)
list(SORT made)
list(SORT committed)
if(NOT made STREQUAL committed)
  set(extra ${committed})
  list(REMOVE_ITEM extra ${made})
  set(missing ${made})
  list(REMOVE_ITEM missing ${committed})
  message(FATAL_ERROR "assets/pictures differs from the generator's files: "
                      "not generated: ${extra}; not committed: ${missing}")
endif()

set(changed "")
foreach(name IN LISTS made)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${name} ${COMMITTED}/${name}
                  RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    list(APPEND changed ${name})
  endif()
endforeach()
if(changed)
  message(FATAL_ERROR "the generator now draws other bytes for: ${changed}\n"
                      "Run vestora-picture-generator <source>/assets/pictures and commit the result.")
endif()
list(LENGTH made count)
message(STATUS "${count} files match the generator")
