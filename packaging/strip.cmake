# Run by CPack on the staged files before it makes the package: strips the program the way
# Debian's dh_strip does, dropping the symbols and the compiler's .comment and .note sections.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/vestora")
if(NOT programs)
  message(FATAL_ERROR "no bin/vestora under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_VESTORA_STRIP}" --remove-section=.comment --remove-section=.note
                          "${program}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip ${program}: ${failed}")
  endif()
endforeach()
