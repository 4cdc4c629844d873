# Installing the game: the program and its four sounds together in <prefix>/lib/vellix (it looks
# for its sounds beside itself), a launcher <prefix>/bin/vellix that links to it, the desktop
# entry, the icons in the hicolor theme, the AppStream metainfo and the manual page.
# `cmake --build <dir> --target uninstall` removes every file installed, and the program's own
# directory with them. The Debian package (`cpack -G DEB`) installs the same files under /usr.

set(VELLIX_PROGRAM_DIR lib/vellix)
install(TARGETS vellix RUNTIME DESTINATION ${VELLIX_PROGRAM_DIR})
install(FILES ${VELLIX_SOUNDS} DESTINATION ${VELLIX_PROGRAM_DIR})

# The launcher is a relative symbolic link, so the installed tree can move with its prefix.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/launcher)
file(CREATE_LINK ../${VELLIX_PROGRAM_DIR}/vellix ${CMAKE_BINARY_DIR}/launcher/vellix SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/launcher/vellix DESTINATION bin)

install(FILES data/vellix.desktop DESTINATION share/applications)
install(FILES data/io.vellix.Vellix.metainfo.xml DESTINATION share/metainfo)
install(FILES data/vellix.6 DESTINATION share/man/man6)
foreach(size 32 48 64 128 256)
  install(FILES assets/icons/vellix-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME vellix.png)
endforeach()

add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt -P ${CMAKE_SOURCE_DIR}/cmake/Uninstall.cmake
  COMMENT "Removing every file the last install wrote")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellix)
set(CPACK_PACKAGE_VENDOR "Vellix developers")
set(CPACK_PACKAGE_CONTACT "Vellix developers <maintainers@users.noreply.c-seed-af97c43d.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "brick-breaking arcade game with drifting bricks and power-ups")
set(CPACK_PACKAGE_DESCRIPTION "Steer the paddle with the mouse and keep the balls in play: they fall under gravity\n\
and bounce off the walls, the paddle and a wall of drifting bricks. Six power-ups fire\n\
the moment their brick breaks.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries come from dpkg-shlibdeps; the font is found at run time through fontconfig, and on
# Wayland SDL's libdecor draws the window's title bar with a plugin it loads at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, libdecor-0-plugin-1-cairo")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
