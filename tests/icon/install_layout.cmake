# Installs the desktop component of BUILD_DIR into a fresh PREFIX and checks where each file went.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component desktop --prefix ${PREFIX}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected share/applications/org.vestora.Vestora.desktop
             share/metainfo/org.vestora.Vestora.metainfo.xml)
set(sources ${ASSETS_DIR}/org.vestora.Vestora.desktop
            ${PACKAGING_DIR}/org.vestora.Vestora.metainfo.xml)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/vestora.png)
  list(APPEND sources ${ASSETS_DIR}/icon/hicolor/${size}x${size}/apps/vestora.png)
endforeach()

file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
set(sorted_expected ${expected})
list(SORT sorted_expected)
if(NOT installed STREQUAL sorted_expected)
  message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${sorted_expected}")
endif()
foreach(path source IN ZIP_LISTS expected sources)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${PREFIX}/${path} ${source}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${path} is not a copy of ${source}")
  endif()
endforeach()
message(STATUS "installed ${PREFIX}: ${installed}")
