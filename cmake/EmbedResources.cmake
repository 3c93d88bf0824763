# SPDX-License-Identifier: MIT
# Compiles the files named in a manifest into a C++ source, so the program
# carries its pictures and sounds inside and reads no data files at run time.
#
# Manifest lines: NAME TYPE FILE   (FILE relative to the manifest's folder;
# '#' starts a comment). See tools/embed_resources.cpp for the details.
#
# The embedder runs on the building machine. A cross build (the browser's)
# compiles it there with the machine's own compiler; every other build
# makes it as the target torvex-embed (tools/CMakeLists.txt).
if(CMAKE_CROSSCOMPILING)
    find_program(TORVEX_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
    set(TORVEX_EMBEDDER ${CMAKE_BINARY_DIR}/host/torvex-embed)
    add_custom_command(
        OUTPUT ${TORVEX_EMBEDDER}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
        COMMAND ${TORVEX_HOST_CXX} -std=c++17 -O1 -o ${TORVEX_EMBEDDER}
                ${CMAKE_CURRENT_LIST_DIR}/../tools/embed_resources.cpp
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../tools/embed_resources.cpp
        COMMENT "Building the resource embedder for this machine"
        VERBATIM)
    add_custom_target(torvex-embed-host DEPENDS ${TORVEX_EMBEDDER})
    set(TORVEX_EMBEDDER_TARGET torvex-embed-host)
else()
    set(TORVEX_EMBEDDER torvex-embed)
    set(TORVEX_EMBEDDER_TARGET torvex-embed)
endif()

function(torvex_embed_resources target manifest)
    get_filename_component(manifest_dir ${manifest} DIRECTORY)
    # A new or renamed entry changes what the build depends on: re-configure.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
    file(STRINGS ${manifest} lines)
    set(depends ${manifest})
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line STREQUAL "" OR line MATCHES "^#")
            continue()
        endif()
        separate_arguments(fields UNIX_COMMAND "${line}")
        list(GET fields 2 file)
        list(APPEND depends ${manifest_dir}/${file})
    endforeach()
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_data.cpp)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${TORVEX_EMBEDDER} ${manifest} ${output}
        DEPENDS ${TORVEX_EMBEDDER_TARGET} ${depends}
        COMMENT "Embedding the resources of ${manifest}"
        VERBATIM)
    add_library(${target} STATIC ${output})
    target_link_libraries(${target} PRIVATE torvex_platform_internal)
endfunction()
