# The Debian package: `cpack -G DEB` in the build folder. The installation tree goes to
# /opt/trk5120 as `cmake --install` lays it out; the desktop entry and the icon go where the
# desktop looks for them, so the program appears in its menu.
set(TRK_PACKAGE_ROOT /opt/trk5120)

# The tree's own entry starts `trk5120` from the PATH; the packaged one names the program.
file(READ ${PROJECT_SOURCE_DIR}/src/app/trk5120.desktop desktop_entry)
string(REGEX REPLACE "\nExec=[^\n]*" "\nExec=${TRK_PACKAGE_ROOT}/${TRK_PROGRAM_DIR}/trk5120" desktop_entry "${desktop_entry}")
file(WRITE ${CMAKE_BINARY_DIR}/package/trk5120.desktop "${desktop_entry}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/trk5120.desktop)

# Only the package installs these: `cmake --install` into a folder of one's own must not
# touch the system's menus.
install(FILES ${CMAKE_BINARY_DIR}/package/trk5120.desktop DESTINATION applications
        COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/src/app/trk5120.svg DESTINATION icons/hicolor/scalable/apps
        COMPONENT desktop EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trk5120)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming software for the MH5120 CB/HF radio")
set(CPACK_PACKAGE_CONTACT "TRK5120 developers <trk5120@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /)
# The whole tree under /opt/trk5120, the desktop files under /usr/share.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;${TRK_PACKAGE_ROOT}"
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};desktop;/usr/share")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The libraries the programs link come from dpkg-shlibdeps (package dpkg-dev); Qt's platform
# plugins are loaded at run time, which it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)
