# Installation into the usual Linux folders (bin, share/nutrava, the desktop menu and icon
# theme), for any prefix, and a Debian package from the same rules (cpack -G DEB).
include(GNUInstallDirs)

install(TARGETS nutrava RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Loaded at the first post from lib/nutrava beside the bin folder (posting/NetworkModule.h).
install(TARGETS nutrava_network LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/nutrava)
if(TARGET nutrava-proxy)
    install(TARGETS nutrava-proxy RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The program finds these through share/nutrava beside its bin folder (see StartupOptions).
install(FILES ${NUTRAVA_REFERENCE_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/nutrava)

install(FILES packaging/net.nutrava.Nutrava.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/net.nutrava.Nutrava.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES src/skin/art/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME net.nutrava.Nutrava.svg)
foreach(size IN LISTS NUTRAVA_ICON_SIZES)
    install(FILES ${NUTRAVA_ICON_PREFIX}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME net.nutrava.Nutrava.png)
endforeach()
install(FILES README.md data/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME nutrava)
set(CPACK_PACKAGE_VENDOR "Nutrava")
set(CPACK_PACKAGE_CONTACT "Nutrava developers <dev@nutrava.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Personal diet and fitness tracker")
set(CPACK_PACKAGE_DESCRIPTION
    "Keeps a daily food log, exercise log, journal and body weight, with a profile that gives BMI, BMR and a daily calorie goal, a daily chart and charts over time. Foods and exercises come from bundled reference databases.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
