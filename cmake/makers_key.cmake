# The maker's key: it signs the installers the update downloads and every directory reply.
#   MASQ_MAKERS_PUBLIC_KEY   its RSA public half (PEM, as `openssl pkey -pubout` writes it),
#                            built into a release. MASQ_UPDATE_PUBLIC_KEY, its former name, is
#                            still taken.
#                            Empty: the build makes a test key pair of its own (3072 bits) in
#                            build/<target>/makers-test-key, whose private half the tests and the
#                            local maker's site sign with.
# The signature format: RSA-PSS over SHA-256 with a 32-byte salt; for an installer the raw bytes in
# a file beside it, as `masq_makers_sign` (and the release step in update/README.md) makes them,
# for a directory reply its base64 in the reply's last line (site/README.md).
set(MASQ_MAKERS_PUBLIC_KEY "" CACHE FILEPATH "The maker's RSA public key (PEM): it signs the installers and the directory replies")
set(MASQ_UPDATE_PUBLIC_KEY "" CACHE FILEPATH "Former name of MASQ_MAKERS_PUBLIC_KEY")
if(MASQ_UPDATE_PUBLIC_KEY AND NOT MASQ_MAKERS_PUBLIC_KEY)
    set(MASQ_MAKERS_PUBLIC_KEY ${MASQ_UPDATE_PUBLIC_KEY})
elseif(MASQ_UPDATE_PUBLIC_KEY AND NOT MASQ_UPDATE_PUBLIC_KEY STREQUAL MASQ_MAKERS_PUBLIC_KEY)
    message(FATAL_ERROR "MASQ_UPDATE_PUBLIC_KEY and MASQ_MAKERS_PUBLIC_KEY name two keys; "
                        "give only MASQ_MAKERS_PUBLIC_KEY, the maker's key")
endif()
find_program(OPENSSL_COMMAND openssl REQUIRED)

if(MASQ_MAKERS_PUBLIC_KEY)
    if(NOT EXISTS ${MASQ_MAKERS_PUBLIC_KEY})
        message(FATAL_ERROR "MASQ_MAKERS_PUBLIC_KEY: ${MASQ_MAKERS_PUBLIC_KEY} does not exist")
    endif()
    set(MASQ_MAKERS_KEY_PEM ${MASQ_MAKERS_PUBLIC_KEY})
    set(MASQ_MAKERS_TEST_KEY "")
else()
    set(key_folder ${CMAKE_BINARY_DIR}/makers-test-key)
    set(MASQ_MAKERS_TEST_KEY ${key_folder}/private.pem)
    set(MASQ_MAKERS_KEY_PEM ${key_folder}/public.pem)
    if(NOT EXISTS ${MASQ_MAKERS_KEY_PEM})
        file(MAKE_DIRECTORY ${key_folder})
        execute_process(
            COMMAND ${OPENSSL_COMMAND} genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:3072 -out ${MASQ_MAKERS_TEST_KEY}
            COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET ERROR_QUIET)
        execute_process(COMMAND ${OPENSSL_COMMAND} pkey -in ${MASQ_MAKERS_TEST_KEY} -pubout -out ${MASQ_MAKERS_KEY_PEM}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endif()
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MASQ_MAKERS_KEY_PEM})

# "AB12..." -> "0xAB, 0x12, ..."
function(masq_hex_to_bytes hex out)
    string(LENGTH "${hex}" length)
    math(EXPR odd "${length} % 2")
    if(odd)
        set(hex "0${hex}")
    endif()
    string(REGEX REPLACE "([0-9A-Fa-f][0-9A-Fa-f])" "0x\\1, " bytes "${hex}")
    string(REGEX REPLACE ", $" "" bytes "${bytes}")
    set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

# Writes `header` (from common/makers_public_key.h.in) with the modulus and exponent of `pem`.
function(masq_makers_key_header pem header)
    execute_process(COMMAND ${OPENSSL_COMMAND} rsa -pubin -in ${pem} -noout -modulus
                    OUTPUT_VARIABLE modulus OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${OPENSSL_COMMAND} rsa -pubin -in ${pem} -noout -text
                    OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE "^Modulus=" "" modulus "${modulus}")
    if(NOT text MATCHES "Exponent: [0-9]+ \\(0x([0-9a-fA-F]+)\\)")
        message(FATAL_ERROR "${pem}: no RSA public exponent")
    endif()
    masq_hex_to_bytes("${modulus}" MAKERS_KEY_MODULUS)
    masq_hex_to_bytes("${CMAKE_MATCH_1}" MAKERS_KEY_EXPONENT)
    set(MAKERS_KEY_SOURCE ${pem})
    configure_file(${CMAKE_SOURCE_DIR}/common/makers_public_key.h.in ${header} @ONLY)
endfunction()

# Signs `input` into `output` with the test build's key (a release is signed by the maker);
# further arguments are targets or files the signing waits for.
function(masq_makers_sign input output)
    if(NOT MASQ_MAKERS_TEST_KEY)
        message(FATAL_ERROR "masq_makers_sign needs the test key; this build uses MASQ_MAKERS_PUBLIC_KEY")
    endif()
    add_custom_command(OUTPUT ${output}
        COMMAND ${OPENSSL_COMMAND} dgst -sha256 -sigopt rsa_padding_mode:pss -sigopt rsa_pss_saltlen:32
                -sign ${MASQ_MAKERS_TEST_KEY} -out ${output} ${input}
        DEPENDS ${input} ${ARGN} VERBATIM)
endfunction()
