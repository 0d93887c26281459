# Desktop integration on freedesktop.org desktops (component "desktop"): the menu entry and the
# program icon in the hicolor theme. Included from the top-level CMakeLists.txt.
include(GNUInstallDirs)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.vestora.Vestora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT desktop)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icon/hicolor/${size}x${size}/apps/vestora.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          COMPONENT desktop)
endforeach()
