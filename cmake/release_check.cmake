# -DMASQ_RELEASE=ON builds the program for users. The build stops at once unless the maker's public
# key and the maker's hosts are given: without them it would quietly build in a test key of its own
# (whose private half lies in the build folder) and the loopback hosts of the local maker's site.
# Also runs as a script: cmake -DMASQ_RELEASE=ON -DMASQ_MAKERS_PUBLIC_KEY=... -P release_check.cmake
function(masq_check_release)
    set(missing "")
    set(key "${MASQ_MAKERS_PUBLIC_KEY}")
    if(NOT key)
        set(key "${MASQ_UPDATE_PUBLIC_KEY}")  # its former name
    endif()
    if(NOT key)
        list(APPEND missing "the maker's public key: -DMASQ_MAKERS_PUBLIC_KEY=maker-public.pem")
    elseif(NOT EXISTS "${key}")
        list(APPEND missing "the maker's public key: ${key} does not exist")
    endif()
    foreach(host MASQ_DIRECTORY_HOST MASQ_MIRROR1_HOST MASQ_MIRROR2_HOST MASQ_WEB_HOST)
        if(NOT ${host})
            list(APPEND missing "the maker's host ${host}: -D${host}=...")
        elseif(${host} MATCHES "^(127\\.|localhost$|::1$|\\[::1\\]$)")
            list(APPEND missing "the maker's host ${host}: ${${host}} is a loopback address of the local test site")
        endif()
    endforeach()
    if(missing)
        list(JOIN missing "\n  " text)
        message(FATAL_ERROR "MASQ_RELEASE builds the program for users; it needs\n  ${text}")
    endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND MASQ_RELEASE)
    masq_check_release()
endif()
