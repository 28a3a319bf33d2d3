# What a Windows player downloads: the per-user installer (NSIS,
# dist/windows/installer.nsi) and a portable zip whose game saves beside itself
# (a file named "portable" beside the program). Both hold cairnfall.exe, data\
# and the licence.
find_program(MAKENSIS makensis REQUIRED)
set(WIN32_GAME ${CMAKE_BINARY_DIR}/game)
set(WIN32_SETUP ${CMAKE_BINARY_DIR}/cairnfall-${PROJECT_VERSION}-setup.exe)
set(WIN32_ZIP ${CMAKE_BINARY_DIR}/cairnfall-${PROJECT_VERSION}-windows.zip)
add_custom_command(
  OUTPUT ${WIN32_SETUP} ${WIN32_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${WIN32_GAME}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WIN32_GAME}/Cairnfall
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:cairnfall> ${WIN32_GAME}/Cairnfall/
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/data ${WIN32_GAME}/Cairnfall/data
  COMMAND ${CMAKE_COMMAND} -E rm -f ${WIN32_GAME}/Cairnfall/data/.generated
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${WIN32_GAME}/Cairnfall/LICENSE.txt
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DGAME=${WIN32_GAME}/Cairnfall
          -DOUT=${WIN32_SETUP} -DICON=${WIN32_RES}/cairnfall.ico
          ${CMAKE_SOURCE_DIR}/dist/windows/installer.nsi
  COMMAND ${CMAKE_COMMAND} -E touch ${WIN32_GAME}/Cairnfall/portable
  COMMAND ${CMAKE_COMMAND} -E chdir ${WIN32_GAME} ${CMAKE_COMMAND} -E tar cf ${WIN32_ZIP}
          --format=zip --mtime=2026-01-01 Cairnfall
  DEPENDS cairnfall windows_data ${CMAKE_SOURCE_DIR}/dist/windows/installer.nsi
          ${WIN32_RES}/cairnfall.ico ${CMAKE_SOURCE_DIR}/LICENSE
  COMMENT "Packing the installer and the portable zip"
  VERBATIM)
add_custom_target(windows_package ALL DEPENDS ${WIN32_SETUP} ${WIN32_ZIP})
