# Installation into the usual places and a Debian package of both programs.

set(GW_APP_ID "io.github.glyphwright.Glyphwright")

# Debian's place for a package's licence and its changelog, under the
# package's own name: the licence as a machine-readable copyright file, the
# changelog compressed with gzip -9n (no name, no time stamp: the same bytes
# on every build).
set(GW_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/glyphwright")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/debian/copyright" DESTINATION "${GW_DOC_DIR}")
set(GW_CHANGELOG "${PROJECT_BINARY_DIR}/packaging/changelog.Debian")
add_custom_command(OUTPUT "${GW_CHANGELOG}.gz"
  COMMAND "${CMAKE_COMMAND}" -E copy "${PROJECT_SOURCE_DIR}/packaging/debian/changelog"
    "${GW_CHANGELOG}"
  COMMAND gzip -9nf "${GW_CHANGELOG}"
  DEPENDS "${PROJECT_SOURCE_DIR}/packaging/debian/changelog"
  VERBATIM)
add_custom_target(glyphwright_changelog ALL DEPENDS "${GW_CHANGELOG}.gz")
install(FILES "${GW_CHANGELOG}.gz" DESTINATION "${GW_DOC_DIR}")
# What Debian's checker reports that is no fault of the package, each with its reason.
install(FILES "${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME glyphwright)

if(GLYPHWRIGHT_BUILD_UI)
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/${GW_APP_ID}.desktop"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  # What software centres list the program by.
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/${GW_APP_ID}.metainfo.xml"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
endif()

set(CPACK_PACKAGE_NAME "glyphwright")
set(CPACK_PACKAGE_VENDOR "The Glyphwright developers")
set(CPACK_PACKAGE_CONTACT "The Glyphwright developers <glyphwright@glyphwright.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian wants the lines of the long description no longer than 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
  "Glyphwright rewrites text files in place: every accented or special 8-bit\n\
character becomes its HTML entity, and back again. A window collects files by\n\
drag and drop; glyphwright-cli does the same from scripts.")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.glyphwright.example")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The first packaging of each version; packaging/debian/changelog names it too.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# Programs without their symbols, as Debian ships them.
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/GlyphwrightStrip.cmake")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's font is Wine's MS Sans Serif; it is loaded from that package at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation2")
# The bash completion uses that package's helpers; under German, the window
# takes Qt's own German for the texts Qt draws (it runs without, in English).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion, qt6-translations-l10n")
include(CPack)
