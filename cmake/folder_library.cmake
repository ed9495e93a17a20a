# One static library per folder of the program. Its links state which folders it may use, and the
# build holds the code to them:
#  - a folder's headers are reachable only through its library: the folder is linked into an
#    include root of the library's own, so `#include "proxy/x.h"` compiles only in code whose
#    library links masq_proxy (directly or through a library it links);
#  - a library may use only libraries declared before it, so no cycle between folders can be
#    written: the order of add_subdirectory() in the top CMakeLists.txt is the allowed direction.
#
#   masq_folder_library(NAME [HEADERS_ONLY] [FOLDER folder] [USES library...])
# declares the library of the current folder (or of `folder`, relative to it); the folder's
# CMakeLists.txt adds its sources.
function(masq_folder_library name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "HEADERS_ONLY" "FOLDER" "USES")
    foreach(used IN LISTS arg_USES)
        if(NOT TARGET ${used})
            message(FATAL_ERROR "${name} uses ${used}, which is not declared before it. Folders depend in one "
                                "direction only: the order of the folders in the top CMakeLists.txt.")
        endif()
    endforeach()

    get_filename_component(source "${arg_FOLDER}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${source})
    get_filename_component(parent ${folder} DIRECTORY)
    set(root ${PROJECT_BINARY_DIR}/include-roots/${name})
    file(MAKE_DIRECTORY ${root}/${parent})
    file(CREATE_LINK ${source} ${root}/${folder} SYMBOLIC)

    if(arg_HEADERS_ONLY)
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${root})
        target_link_libraries(${name} INTERFACE ${arg_USES})
    else()
        add_library(${name} STATIC)
        target_include_directories(${name} PUBLIC ${root})
        target_link_libraries(${name} PUBLIC ${arg_USES})
    endif()
endfunction()
