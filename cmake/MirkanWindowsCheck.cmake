# SPDX-License-Identifier: MIT
# mirkan_add_wine_test(NAME name SOURCES a.cpp a.h ... [INCLUDE_DIRS dir ...])
# cross-compiles one plain C++ program (no Qt) for 64-bit Windows and registers it with
# CTest under the label "windows", run by wine. Headers go in SOURCES too, so editing
# one rebuilds the program. Without the cross compiler or wine it registers nothing.
find_program(MIRKAN_MINGW_CXX x86_64-w64-mingw32-g++)
find_program(MIRKAN_WINE NAMES wine wine64)

function(mirkan_add_wine_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;INCLUDE_DIRS" ${ARGN})
    if(NOT MIRKAN_MINGW_CXX OR NOT MIRKAN_WINE)
        message(STATUS "${T_NAME}: needs x86_64-w64-mingw32-g++ and wine (scripts/setup "
                       "installs them); not registered")
        return()
    endif()

    set(flags -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
              -Wold-style-cast)
    if(MIRKAN_WERROR)
        list(APPEND flags -Werror)
    endif()
    foreach(dir IN LISTS T_INCLUDE_DIRS)
        list(APPEND flags -I${dir})
    endforeach()

    set(out ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.dir)
    set(objects)
    foreach(src IN LISTS T_SOURCES)
        get_filename_component(src ${src} ABSOLUTE)
        if(NOT src MATCHES "\\.cpp$")
            continue()
        endif()
        get_filename_component(base ${src} NAME_WE)
        set(obj ${out}/${base}.o)
        add_custom_command(OUTPUT ${obj}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
            COMMAND ${MIRKAN_MINGW_CXX} ${flags} -MD -MF ${obj}.d -c ${src} -o ${obj}
            DEPENDS ${src}
            DEPFILE ${obj}.d
            COMMENT "Cross-compiling ${base}.cpp for Windows"
            VERBATIM)
        list(APPEND objects ${obj})
    endforeach()

    # Static runtime, so wine looks for none of the compiler's own DLLs.
    set(exe ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.exe)
    add_custom_command(OUTPUT ${exe}
        COMMAND ${MIRKAN_MINGW_CXX} -static ${objects} -o ${exe}
        DEPENDS ${objects}
        COMMENT "Linking ${T_NAME}.exe"
        VERBATIM)
    add_custom_target(${T_NAME} ALL DEPENDS ${exe})

    # One prefix for every wine test, in the build tree because wine writes to it.
    # Creating it takes about 20 s on first use, hence the long time-out and the lock.
    # No display, so wine starts no desktop of its own (and thus no taskbar); no prompts
    # for the .NET and HTML runtimes that the prefix would otherwise offer to install.
    add_test(NAME ${T_NAME} COMMAND ${MIRKAN_WINE} ${exe})
    set_tests_properties(${T_NAME} PROPERTIES
        LABELS windows
        TIMEOUT 300
        RESOURCE_LOCK wineprefix
        ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;DISPLAY=;WINEDLLOVERRIDES=mscoree,mshtml=")
endfunction()
