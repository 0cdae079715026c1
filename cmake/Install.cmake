# Installation the way Linux desktop programs are installed: the two executables in bin/, the
# lithology patterns in share/lithora/Patterns, a desktop entry with its icon and AppStream
# metainfo, the manual pages, the bash completion of lithora-cli, and the README.
# `cpack -G DEB` in the release build makes a Debian package of the same files, with the
# libraries it needs declared as its dependencies.
include(GNUInstallDirs)

install(TARGETS lithora lithora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/Patterns
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lithora
        PATTERN ".stamp" EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/resources/lithora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/lithora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/io.github.lithora.Lithora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/man/lithora.1
              ${PROJECT_SOURCE_DIR}/resources/man/lithora-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/lithora-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME lithora-cli)
# Documentation under the package's own name, as Debian keeps it; the patterns' README (their
# source and licence) has a folder of its own so that it does not replace the program's README.
set(LITHORA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/lithora)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${LITHORA_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/patterns/README.md
        DESTINATION ${LITHORA_DOCDIR}/patterns)

set(CPACK_PACKAGE_NAME lithora)
set(CPACK_PACKAGE_VENDOR "Lithora")
set(CPACK_PACKAGE_CONTACT "Lithora developers <lithora@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rock-physics analysis of well logs")
set(CPACK_PACKAGE_DESCRIPTION
    "Lithora loads the logs of one well (LAS 2.0 or ASCII columns), computes the elastic parameters of the rock at every depth sample, estimates Vs, shows depth tracks, cross plots and a litholog, and saves the results as LAS or ASCII. lithora-cli runs the same computations in batch.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY lithora)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the Qt, QCustomPlot, SQLite and C++ runtime packages the executables
# link; the fonts are what the windows draw their text with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins")
include(CPack)
