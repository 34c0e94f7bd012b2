# Installation under CMAKE_INSTALL_PREFIX and the Debian package made by CPack:
#   cmake --build build-rel && (cd build-rel && cpack -G DEB)  ->  kalorimo_<version>_<arch>.deb
include(GNUInstallDirs)

install(TARGETS kalorimo-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KALORIMO_GUI)
  install(TARGETS kalorimo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/data/kalorimo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/data/kalorimo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/org.example.kalorimo.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalorimo)
set(CPACK_PACKAGE_VENDOR Turbinowo)
set(CPACK_PACKAGE_CONTACT "Turbinowo <kalorimo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Kalkulator właściwości wody i pary wodnej")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the linker cannot see: Qt's plugins (screen, SVG icon) and its Polish texts.
if(KALORIMO_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, fonts-dejavu-core")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
endif()
include(CPack)
