# SPDX-License-Identifier: MIT
# Installing Torvex like desktop software, and packaging it for Debian.
#
#   bin/ (games/ in the package)  torvex, torvex-map, torvex-launcher
#   share/torvex/maps/            the shipped maps
#   share/applications/          the desktop entry (runs torvex-launcher)
#   share/mime/packages/          the .tvm file type, so file managers open maps with the game
#   share/icons/hicolor/NxN/apps/ the icon
#   share/man/man6/               manual pages
#   share/doc/torvex/             the licence and the changes (copyright, changelog.gz)
include(GNUInstallDirs)

# Where the programs go under the prefix. Debian keeps games in /usr/games:
# scripts/make-package sets this to "games"; any other install keeps bin/.
set(TORVEX_INSTALL_GAMESDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING
    "Folder under the prefix for the game's programs (bin, or games for Debian)")
# Who answers for the package: its Maintainer field and the changelog's
# signature. .invalid is the reserved domain that never delivers mail; a
# distributor sets a real address here.
set(TORVEX_MAINTAINER "The Torvex developers <developers@torvex.invalid>" CACHE STRING
    "The package's maintainer, as \"Name <address>\"")

if(TARGET torvex)
    install(TARGETS torvex RUNTIME DESTINATION ${TORVEX_INSTALL_GAMESDIR})
endif()
if(TARGET torvex-map)
    install(TARGETS torvex-map RUNTIME DESTINATION ${TORVEX_INSTALL_GAMESDIR})
endif()
install(PROGRAMS packaging/torvex-launcher DESTINATION ${TORVEX_INSTALL_GAMESDIR})

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
# Manual pages and the changelog go in compressed, as Debian's policy and
# man itself expect. Their texts carry the version (@PROJECT_VERSION@) and
# the changelog its maintainer (@TORVEX_MAINTAINER@).
find_program(GZIP_PROGRAM gzip REQUIRED)
function(torvex_compressed source_name output_name out_variable)
    set(source ${CMAKE_CURRENT_BINARY_DIR}/packaging/${output_name})
    configure_file(packaging/${source_name} ${source} @ONLY)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${output_name}.gz)
    add_custom_command(OUTPUT ${compressed}
                       COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${compressed}
                       DEPENDS ${source}
                       COMMENT "Compressing ${output_name}")
    set(${out_variable} ${compressed} PARENT_SCOPE)
endfunction()
set(manual_pages "")
# torvex-launcher.6 only points man at torvex.6, which covers both.
foreach(page torvex.6 torvex-map.6 torvex-launcher.6)
    torvex_compressed(${page} ${page} compressed)
    list(APPEND manual_pages ${compressed})
endforeach()
torvex_compressed(changelog changelog changelog)
add_custom_target(manual_pages ALL DEPENDS ${manual_pages} ${changelog})
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/torvex)
# The licence in the form Debian reads (copyright), beside the changes.
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/torvex)
# What lintian gets wrong about the package, each with the reason.
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME torvex)

# cpack -G DEB (from the build folder) makes torvex_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME torvex)
set(CPACK_PACKAGE_VENDOR "The Torvex developers")
set(CPACK_PACKAGE_CONTACT "${TORVEX_MAINTAINER}")
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
