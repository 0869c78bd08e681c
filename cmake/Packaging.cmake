# Installation in the usual places, and a Debian package of it:
#   cmake --install build [--prefix /usr/local]
#   (cd build && cpack -G DEB)
# The program finds its manual in ../share/tankora/Manual beside its bin
# folder, and its Data folder in $XDG_DATA_HOME/tankora/Data.
include(GNUInstallDirs)

install(TARGETS tankora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TANKORA_MANUAL_PDF} DESTINATION ${CMAKE_INSTALL_DATADIR}/tankora/Manual)
install(FILES packaging/tankora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/tankora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES packaging/icons/tankora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tankora.png)
endforeach()

set(CPACK_PACKAGE_NAME tankora)
set(CPACK_PACKAGE_VENDOR "タンコラ")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "septic-tank maintenance office (タンコラ)")
set(CPACK_PACKAGE_DESCRIPTION
    "The office program of a small company that maintains septic tanks (浄化槽): \
customers, inspection slips, the construction ledger, the monthly inspection report \
and five other reports on A4, and a backup to a USB stick.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "タンコラ maintainers <tankora@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Written out rather than computed (dpkg-shlibdeps is not on every build
# machine): the Qt 6 libraries it links, the IPA fonts its screens and
# reports are laid out in, CUPS for the printer.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.36), libstdc++6 (>= 12), libgcc-s1, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libcups2, fonts-ipafont-gothic, fonts-ipafont-mincho")
# Opening the manual, printing on a local printer, a viewer for the PDFs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, cups, evince | okular | atril | pdf-viewer")
include(CPack)

if(TANKORA_BUILD_TESTS)
  # Builds the package (a few seconds) and looks inside; label "package".
  add_test(NAME package_deb
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/deb_contents.sh ${CMAKE_CPACK_COMMAND}
                   ${CMAKE_BINARY_DIR})
  set_tests_properties(package_deb PROPERTIES SKIP_RETURN_CODE 77 LABELS package)
endif()
