# SPDX-License-Identifier: MIT
# What `cmake --install` puts where: the program in bin and, on freedesktop systems,
# its menu entry and its icon in the hicolor theme under the name the entry uses.
include(GNUInstallDirs)

install(TARGETS Mirkan_DesktopTool
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)

if(UNIX AND NOT APPLE)
    set(artwork ${PROJECT_SOURCE_DIR}/src/ui/resources)
    set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ${artwork}/example.mirkan_desktoptool.DesktopTool.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 16 32 48)
        install(FILES ${artwork}/program-${size}.png
            DESTINATION ${icons}/${size}x${size}/apps
            RENAME mirkan-desktoptool.png)
    endforeach()
    install(FILES ${artwork}/program.svg
        DESTINATION ${icons}/scalable/apps
        RENAME mirkan-desktoptool.svg)
endif()
