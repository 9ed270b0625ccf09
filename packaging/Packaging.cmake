# Installation as a desktop program and its Debian package:
#   cmake --install BUILD --prefix PREFIX     cpack -G DEB   (in the build folder)
include(GNUInstallDirs)
set(QNETICA_SHARE ${CMAKE_INSTALL_DATADIR}/qnetica)

install(TARGETS qnetica-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/qnetica-calc.1 ${CMAKE_BINARY_DIR}/packaging/qnetica-calc.1
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/qnetica-calc.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(QNETICA_BUILD_GUI)
  install(TARGETS qnetica RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The program finds these from bin/../share/qnetica (see DataFolder).
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/help ${PROJECT_SOURCE_DIR}/models
          DESTINATION ${QNETICA_SHARE})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/qnetica.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/qnetica-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME qnetica.xml)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/qnetica.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  # The 48 x 48 picture for desktops that do not draw SVG icons, rendered from the SVG.
  add_executable(qnetica_render_icon ${CMAKE_CURRENT_LIST_DIR}/RenderIcon.cpp)
  target_link_libraries(qnetica_render_icon PRIVATE Qt6::Gui Qt6::Svg)
  set(icon_png ${CMAKE_BINARY_DIR}/packaging/qnetica-48.png)
  add_custom_command(OUTPUT ${icon_png}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:qnetica_render_icon> ${CMAKE_CURRENT_LIST_DIR}/icons/qnetica.svg 48
            ${icon_png}
    DEPENDS qnetica_render_icon ${CMAKE_CURRENT_LIST_DIR}/icons/qnetica.svg
    COMMENT "Rendering the 48 x 48 icon")
  add_custom_target(qnetica_icon ALL DEPENDS ${icon_png})
  install(FILES ${icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
          RENAME qnetica.png)
endif()

set(CPACK_PACKAGE_NAME qnetica)
set(CPACK_PACKAGE_VENDOR "Qnetica")
set(CPACK_PACKAGE_CONTACT "Qnetica developers <qnetica@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analysis of open stochastic networks of queueing systems")
set(CPACK_PACKAGE_DESCRIPTION
    "Qnetica computes open networks of up to 150 multi-channel queueing systems (plain, with a\n\
bounded queue or with relative priorities): arrival rates, loads, queue lengths, waiting and\n\
sojourn times of every system and of the whole network, for one calculation or a varied run.\n\
The program speaks Russian; qnetica-calc computes network files from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries it links are found by dpkg-shlibdeps; Qt's platform plugins and the
# icon themes' index are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
include(CPack)
