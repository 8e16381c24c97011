# Installation into the usual places and a Debian package of both programs.

set(GW_APP_ID "io.github.glyphwright.Glyphwright")

# Debian's place for a package's licence, under the package's own name.
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/glyphwright")

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
set(CPACK_PACKAGE_DESCRIPTION
  "Glyphwright rewrites text files in place: every accented or special 8-bit character\n\
becomes its HTML entity, and back again. A window collects files by drag and drop;\n\
glyphwright-cli does the same from scripts.")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.glyphwright.example")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's font is Wine's MS Sans Serif; it is loaded from that package at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation2")
# The bash completion uses that package's helpers; under German, the window
# takes Qt's own German for the texts Qt draws (it runs without, in English).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion, qt6-translations-l10n")
include(CPack)
