# The Linux package: what a distribution wants installed beside the program (the AppStream
# metainfo, the manual page, the copyright file and the changelog) and the CPack setup of the
# Debian package. Included at the end of the top-level CMakeLists.txt; `./scripts/package` makes
# the package from a release build.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

include(GNUInstallDirs)

set(vestora_packaging_source ${CMAKE_CURRENT_LIST_DIR})
set(vestora_packaging_binary ${PROJECT_BINARY_DIR}/packaging)
# Debian's place, named after the package rather than the project.
set(vestora_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/vestora)

# Compressed the way Debian policy asks: gzip -9, without the name and time of the original, so
# the same sources give the same bytes.
find_program(VESTORA_GZIP gzip REQUIRED)
function(vestora_gzip source target)
  execute_process(COMMAND ${VESTORA_GZIP} -9n -c ${source} OUTPUT_FILE ${target}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${source}: ${failed}")
  endif()
endfunction()

configure_file(${vestora_packaging_source}/vestora.1.in ${vestora_packaging_binary}/vestora.1
               @ONLY)
vestora_gzip(${vestora_packaging_binary}/vestora.1 ${vestora_packaging_binary}/vestora.1.gz)
# Read at configure time: a change to it must configure again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${vestora_packaging_source}/changelog)
vestora_gzip(${vestora_packaging_source}/changelog ${vestora_packaging_binary}/changelog.gz)

install(FILES ${vestora_packaging_source}/org.vestora.Vestora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT desktop)
install(FILES ${vestora_packaging_binary}/vestora.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT documentation)
install(FILES ${vestora_packaging_source}/copyright ${vestora_packaging_binary}/changelog.gz
        DESTINATION ${vestora_doc_dir} COMPONENT documentation)

# One package holding every component.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vestora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vestora Studio")
set(CPACK_PACKAGE_CONTACT "Vestora Studio <packages@vestora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalog of avatar outfit and scene background pictures")
set(CPACK_PACKAGE_DESCRIPTION
    "Vestora is a small desktop catalog of ready-made QQ Show avatar outfits and
scene backgrounds, sorted into seventeen categories. Each category opens a
window of pictures with a button under each; a press opens the item's page at
the service's web shop in the default web browser.

All texts of the program are in Simplified Chinese, and the fonts it needs for
them are built in.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_VESTORA_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${vestora_packaging_source}/strip.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# vestora_<version>_<architecture>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vestora.example/")
# The libraries come from the binary (dpkg-shlibdeps); links are opened through xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS xdg-utils)
# The desktop, not the program, draws the window titles, so the fonts built into the program do
# not reach them: without a CJK font on the system the titles show boxes. WenQuanYi Micro Hei
# covers every character the program shows (its embedded Vestora Sans is a subset of it; the
# package check tests the font against characters.txt), is a sans face as title bars use, and is
# the smallest such package: 1.6 MB to download, 5 MB installed, against 56 MB and 91 MB for
# Noto CJK. A system that has Noto CJK already needs nothing more.
#
# The program runs through X11 wherever an X server answers, Xwayland included, and needs Qt's
# Wayland platform plugin only where none does (a Wayland session without Xwayland, or a user who
# sets QT_QPA_PLATFORM=wayland). GNOME and Plasma start Xwayland, so a dependency would be too
# strong; a recommendation, installed by default, makes the rare session without X work too.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-wayland")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
