# Installing under a prefix: the programs, the shipped art and help pages,
# and the desktop entry, icons and document type in the freedesktop folders.
# `cpack -G DEB` packs the same tree into a Debian package.
include(GNUInstallDirs)

install(TARGETS karvello karvello-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program copies this art into its own writable folders at start-up.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/art/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/karvello/art)
# The help pages are built into the program; a copy for reading without it.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/karvello/help)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/karvello)

install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/karvello.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/karvello-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME karvello.xml)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/karvello.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Software centres list the program from its AppStream metadata.
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/karvello.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME org.example.Karvello.metainfo.xml)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/icons/karvello-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME karvello.png)
endforeach()

# Manual pages and the Debian changelog are installed compressed as Debian
# wants them: gzip at its best without a name or time stamp, so the files
# are the same on every build.
set(KARVELLO_COMPRESSED_DIR ${CMAKE_BINARY_DIR}/compressed)
file(MAKE_DIRECTORY ${KARVELLO_COMPRESSED_DIR})
foreach(source docs/man/karvello.1 docs/man/karvello-tool.1 packaging/changelog)
    get_filename_component(name ${source} NAME)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${source})
    execute_process(COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/${source}
                    OUTPUT_FILE ${KARVELLO_COMPRESSED_DIR}/${name}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${KARVELLO_COMPRESSED_DIR}/karvello.1.gz ${KARVELLO_COMPRESSED_DIR}/karvello-tool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KARVELLO_COMPRESSED_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/karvello)

# The Debian package (scripts/package.sh builds it and checks it with lintian).
set(KARVELLO_MAINTAINER "Karvello developers <karvello@example.org>" CACHE STRING
    "Maintainer of the Debian package; packaging/changelog names the same")
set(CPACK_PACKAGE_NAME karvello)
set(CPACK_PACKAGE_VENDOR "Karvello")
set(CPACK_PACKAGE_CONTACT "${KARVELLO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KARVELLO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Business card designer")
# Lines of the extended description stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Designs business cards from text, shapes, clip art, textures and\n\
backgrounds, starting blank or from templates, and prints them on pre-cut\n\
card stock, or writes a PDF for a print shop.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY karvello)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries come from the programs' own links; the platform plugin, the
# picture plugins and the fonts are loaded at run time and so named here:
# Liberation stands in for the Windows fonts, Symbola draws the symbol fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, libqt6svg6, fonts-liberation2, fonts-symbola, fontconfig")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client, shared-mime-info, desktop-file-utils")
include(CPack)
