# Installing and packaging: the executable, the data it reads at run time (examples,
# presentations, documents, help pages, film.js) under share/kalvor, the desktop entry and
# the icon. The program looks for its data beside the executable first, then in share/kalvor
# relative to it, so an installed or unpacked tree works without the sources.
include(GNUInstallDirs)

install(TARGETS kalvor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kalvor
        PATTERN "kalvor.desktop" EXCLUDE
        PATTERN "icons" EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/resources/kalvor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kalvor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME kalvor)
set(CPACK_PACKAGE_VENDOR "Kalvor")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Wiskundige werkbank: functies met schuifbalken en een eigen tekentaal")
set(CPACK_PACKAGE_CONTACT "Kalvor <kalvor@localhost>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kalvor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window icon is an SVG, drawn by Qt's SVG plugin, which no library links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
include(CPack)
