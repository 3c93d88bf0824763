# SPDX-License-Identifier: MIT
# Installing Torvex like desktop software, and packaging it for Debian.
#
#   bin/                          torvex, torvex-map, torvex-launcher
#   share/torvex/maps/            the shipped maps
#   share/applications/          the desktop entry (runs torvex-launcher)
#   share/mime/packages/          the .tvm file type, so file managers open maps with the game
#   share/icons/hicolor/NxN/apps/ the icon
#   share/man/man6/               manual pages
include(GNUInstallDirs)

if(TARGET torvex)
    install(TARGETS torvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET torvex-map)
    install(TARGETS torvex-map RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(PROGRAMS packaging/torvex-launcher DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB shipped_maps CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/maps/*.tvm)
install(FILES ${shipped_maps} DESTINATION ${CMAKE_INSTALL_DATADIR}/torvex/maps)

install(FILES packaging/torvex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/torvex-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME torvex.xml)
foreach(size 16 32 48 64 128 256)
    set(icon ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/torvex-${size}.png)
    if(EXISTS ${icon})
        install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME torvex.png)
    endif()
endforeach()
# Manual pages go in compressed, as Debian's policy and man itself expect.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(manual_pages "")
# Their headers carry the version: @PROJECT_VERSION@ in the source pages.
foreach(page torvex.6 torvex-map.6)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/manual/${page})
    configure_file(packaging/${page} ${source} @ONLY)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz)
    add_custom_command(OUTPUT ${compressed}
                       COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${compressed}
                       DEPENDS ${source}
                       COMMENT "Compressing the manual page ${page}")
    list(APPEND manual_pages ${compressed})
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_pages})
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# cpack -G DEB (from the build folder) makes torvex_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME torvex)
set(CPACK_PACKAGE_VENDOR "Torvex developers")
set(CPACK_PACKAGE_CONTACT "Torvex developers <torvex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mine-clearing game for fields of any shape")
set(CPACK_PACKAGE_DESCRIPTION
    "Torvex is a full-screen mine-clearing game. Its fields can have any shape and\n\
reach 300 x 300 cells, far larger than the screen: the view scrolls under a\n\
fixed cursor as the mouse moves. First-click safety, flood opening, chording,\n\
flags and question marks, best times per map, animated tiles, sound and music.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "zenity | kdialog")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
