# Where `cmake --install` puts things (GNUInstallDirs) and the .deb that CPack
# builds from the same rules. The programs find their shared files at
# <prefix>/share/tavelmark, found from their own location, so an installed
# tree can be moved as a whole.
set(TAVELMARK_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tavelmark)

if(TARGET tavelmark-cli)
  install(TARGETS tavelmark-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET tavelmark)
  install(TARGETS tavelmark RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The report's background picture and the help document; the pictures the
# windows show are built into the program.
install(FILES ${TAVELMARK_SOURCE_ROOT}/resources/brg.jpg DESTINATION ${TAVELMARK_INSTALL_DATADIR})
install(DIRECTORY ${TAVELMARK_SHARED_FILES}/help DESTINATION ${TAVELMARK_INSTALL_DATADIR})

# Desktop integration: menu entry, icons, and the analysis file type, so that
# double-clicking a saved analysis opens the program.
set(packaging ${TAVELMARK_SOURCE_ROOT}/packaging)
install(FILES ${packaging}/tavelmark.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/tavelmark-analysis.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size 48 128)
  install(FILES ${packaging}/tavelmark-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tavelmark.png)
endforeach()
install(FILES ${TAVELMARK_SOURCE_ROOT}/resources/tavelmark.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavelmark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tavelmark developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Statistics workbench for pharmacologists (LD50, two-group means and rates)")
set(CPACK_PACKAGE_DESCRIPTION
    "Type or paste a small data set into a grid and get a finished report: LD50 by the Bliss probit method, two-group comparison of means, two-group comparison of rates from a 2x2 table, and the pairwise comparison of LD50 values. Desktop program (Qt 6, simplified Chinese) and the command line tavelmark-cli.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies from the programs themselves; the Chinese standard
# buttons and the report fonts are data packages dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc")
include(CPack)
