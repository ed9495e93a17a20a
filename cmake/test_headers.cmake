# The heavy headers every test file of a test program starts with, compiled once per program:
# GoogleTest, GoogleMock where the program uses it, and <windows.h> in the Windows build (where
# every test program is a Win32 program).
#   masq_test_headers(TARGET [GMOCK])
function(masq_test_headers target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "GMOCK" "" "")
    set(headers <gtest/gtest.h>)
    if(arg_GMOCK)
        list(APPEND headers <gmock/gmock.h>)
    endif()
    if(WIN32)
        list(PREPEND headers <windows.h>)
    endif()
    target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
