# SPDX-License-Identifier: MIT
# Compiles the files named in a manifest into a C++ source, so the program
# carries its pictures and sounds inside and reads no data files at run time.
#
# Manifest lines: NAME TYPE FILE   (FILE relative to the manifest's folder;
# '#' starts a comment). See tools/embed_resources.cpp for the details.
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
        COMMAND torvex-embed ${manifest} ${output}
        DEPENDS torvex-embed ${depends}
        COMMENT "Embedding the resources of ${manifest}"
        VERBATIM)
    add_library(${target} STATIC ${output})
    target_link_libraries(${target} PRIVATE torvex_platform_internal)
endfunction()
