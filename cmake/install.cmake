# Installing the game: the program, its generated data and icons, the desktop
# entry, the AppStream metadata, the manual page and the package's documents.
# `cmake --install build --prefix P` lays them out under P; `make package` turns
# the same layout into a .deb.
include(GNUInstallDirs)

set(CAIRNFALL_APP_ID io.github.cairnfall.Cairnfall)

# Games go to <prefix>/games, as Debian lays them out; the game finds its data from
# there as from <prefix>/bin.
install(TARGETS cairnfall RUNTIME DESTINATION games)
# Every generated file of data/: the pictures, the sounds, the window icon and the
# font file.
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/cairnfall/data
        PATTERN .generated EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES dist/${CAIRNFALL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/${CAIRNFALL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the Debian changelog are installed compressed, as Debian wants.
find_program(GZIP gzip REQUIRED)
set(CAIRNFALL_DOCS ${CMAKE_BINARY_DIR}/docs-compressed)
add_custom_command(
  OUTPUT ${CAIRNFALL_DOCS}/cairnfall.6.gz ${CAIRNFALL_DOCS}/changelog.Debian.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CAIRNFALL_DOCS}
  COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/dist/cairnfall.6 > ${CAIRNFALL_DOCS}/cairnfall.6.gz
  COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/dist/changelog > ${CAIRNFALL_DOCS}/changelog.Debian.gz
  DEPENDS dist/cairnfall.6 dist/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(compressed_docs ALL DEPENDS ${CAIRNFALL_DOCS}/cairnfall.6.gz)
install(FILES ${CAIRNFALL_DOCS}/cairnfall.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES dist/copyright ${CAIRNFALL_DOCS}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# ---------------------------------------------------------------- the .deb
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cairnfall)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_CONTACT "The Cairnfall developers <cairnfall@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sliding-stone puzzle game")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Slide stones into the one gap of the board until a row of the board\nmatches the target row above it. Every row has a time limit, and a row\nthat runs out of time drops onto the board; eleven rows end the game.\nPlay with the mouse or the keyboard; the ten best scores are kept.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/cairnfall/cairnfall")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries actually linked, found by dpkg-shlibdeps. The game's font is data
# (data/font_, rendered when the game is built), so no font package is needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
