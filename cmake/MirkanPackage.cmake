# SPDX-License-Identifier: MIT
# `cpack -G DEB` in a build folder makes the Debian package from what `cmake --install`
# puts into /usr, plus the files Debian wants beside it: the AppStream metainfo, the
# copyright and the changelog.
if(UNIX AND NOT APPLE)
    # Honours SOURCE_DATE_EPOCH, so a rebuild of the same sources gives the same package.
    string(TIMESTAMP MIRKAN_RELEASE_DATE "%Y-%m-%d" UTC)
    string(TIMESTAMP MIRKAN_RELEASE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
    set(MIRKAN_MAINTAINER "Mirkan DesktopTool developers <developers@mirkan-desktoptool.example>")
    set(packaging ${PROJECT_SOURCE_DIR}/packaging)
    set(doc ${CMAKE_INSTALL_DATADIR}/doc/mirkan-desktoptool)

    configure_file(${packaging}/example.mirkan_desktoptool.DesktopTool.metainfo.xml.in
        ${PROJECT_BINARY_DIR}/packaging/example.mirkan_desktoptool.DesktopTool.metainfo.xml @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/example.mirkan_desktoptool.DesktopTool.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # Debian keeps a native package's changelog gzipped without name or time stamp.
    configure_file(${packaging}/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
    find_program(MIRKAN_GZIP gzip REQUIRED)
    execute_process(COMMAND ${MIRKAN_GZIP} -9nf -k ${PROJECT_BINARY_DIR}/packaging/changelog
        COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${packaging}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${doc})

    # The manual page, compressed the same way.
    configure_file(${packaging}/Mirkan_DesktopTool.1.in
        ${PROJECT_BINARY_DIR}/packaging/Mirkan_DesktopTool.1 @ONLY)
    execute_process(COMMAND ${MIRKAN_GZIP} -9nf -k ${PROJECT_BINARY_DIR}/packaging/Mirkan_DesktopTool.1
        COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/Mirkan_DesktopTool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME mirkan-desktoptool)
set(CPACK_PACKAGE_VENDOR "Mirkan DesktopTool developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "listener counts of internet-radio stations on the desktop")
# Debian shows the lines as they stand here: at most 80 characters each.
set(CPACK_PACKAGE_DESCRIPTION
    "Mirkan DesktopTool is a small desktop companion for people who run stations
on the Mirkan internet-radio platform. Every few minutes it asks the platform
for each station's listener count and shows the numbers as large outlined text
floating above all windows. It lives in the notification area, can write a line
per song change into a text file per station, keeps the counts of the current
run for a chart and can start at logon. Its user-facing text is German.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://mirkan-desktoptool.example/")
set(CPACK_PACKAGE_CONTACT ${MIRKAN_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A package holds no debug information; Debian's tools reject unstripped binaries.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MIRKAN_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt and C++ runtime libraries come from dpkg-shlibdeps; the typeface and Qt's
# German texts are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-wine)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)

include(CPack)
