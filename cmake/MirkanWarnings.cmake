# SPDX-License-Identifier: MIT
# Warnings and Qt's strict string rules for every target of ours.
function(mirkan_target_defaults target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
        if(MIRKAN_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                                 -Wnon-virtual-dtor -Wold-style-cast)
        if(MIRKAN_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
    target_compile_definitions(${target} PRIVATE
        QT_RESTRICTED_CAST_FROM_ASCII
        QT_USE_QSTRINGBUILDER
        QT_NO_URL_CAST_FROM_STRING
        QT_NO_FOREACH)
endfunction()
