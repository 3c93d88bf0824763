# SPDX-License-Identifier: MIT
# The game's folders are layers: each one may use the folders below it and
# none above (HACKING.md draws the picture). The build enforces the order.
#
# Every folder is a static library of its own. Its sources and headers find
# other folders' headers only through the include folders of the libraries
# it names in USES: each library's include folder holds a single link, named
# after the source folder, to that folder. An include of a folder the
# library does not use, for example "app/..." from board/, is not found and
# does not compile.
#
#   torvex_add_layer(NAME torvex_board
#                    SOURCES board.cpp ...
#                    USES torvex_sound torvex_state torvex_platform_api
#                    [EXPOSES torvex_state])   # used by this library's headers
function(torvex_add_layer)
    cmake_parse_arguments(LAYER "" "NAME" "SOURCES;USES;EXPOSES" ${ARGN})
    add_library(${LAYER_NAME} STATIC ${LAYER_SOURCES})
    torvex_layer_include_root(${LAYER_NAME} PUBLIC)
    target_link_libraries(${LAYER_NAME} PRIVATE ${LAYER_USES})
    if(LAYER_EXPOSES)
        target_link_libraries(${LAYER_NAME} PUBLIC ${LAYER_EXPOSES})
    endif()
endfunction()

# Gives `target` an include folder holding only a link to the current source
# folder, e.g. <build>/layers/torvex_board/board -> <source>/board.
function(torvex_layer_include_root target scope)
    set(root ${CMAKE_BINARY_DIR}/layers/${target})
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} ${scope} ${root})
endfunction()
