# SPDX-License-Identifier: MIT
# The protections a distribution builds its packages with: stack canaries and clash
# checks, checked string and memory functions, position-independent executables and
# a read-only relocation table resolved at start. Not under the sanitizers, which
# bring their own checks and do not mix with the checked functions.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang"
   AND NOT MIRKAN_SANITIZE AND NOT MIRKAN_FUZZ)
    include(CheckPIESupported)
    check_pie_supported(LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -fstack-clash-protection
                        # The checked functions need the optimiser. A compiler that
                        # already defines a level would warn of the new one.
                        $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
                        $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i.86")
        add_compile_options(-fcf-protection)
    endif()
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
