# The Windows build: the same game modules with the Win32 backend
# (src/platform/win32) and its file code (src/platform/win32/files), a vendored
# zlib and GoogleTest from Debian's sources, cross-compiled with mingw-w64 (the
# toolchain file cmake/mingw-toolchain.cmake) and statically linked, so that the
# programs need no DLL beside them. Configured by `make windows`;
# CAIRNFALL_HOST_BUILD names the desktop build whose asset generator made data/
# and the icons. The tests run under Wine (scripts/wine-run).
enable_language(C RC)
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG")
set(CAIRNFALL_HOST_BUILD "" CACHE PATH "the desktop build folder (build/), for data/ and icons/")
# Unicode Win32 calls, and no min/max macros over the standard library's.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
add_link_options(-static)
set(WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN})

include(cmake/zlib.cmake)

# What every backend shares, what the desktops share and Windows' own files,
# compiled once and put into each backend.
set(PLATFORM_SHARED cairnfall_platform_shared)
cairnfall_objects(${PLATFORM_SHARED} FOLDERS src/platform/common src/platform/common/tape
                  src/platform/desktop src/platform/win32/files LIBRARIES cairnfall_zlib)
set(WIN32_SYSTEM_LIBS shell32 ole32 uuid)
cairnfall_backend(cairnfall_platform_headless FOLDERS src/platform/headless SHARED ${PLATFORM_SHARED}
                  LIBRARIES cairnfall_zlib ${WIN32_SYSTEM_LIBS})
cairnfall_backend(cairnfall_platform_win32 FOLDERS src/platform/win32 SHARED ${PLATFORM_SHARED}
                  LIBRARIES cairnfall_zlib ${WIN32_SYSTEM_LIBS} gdi32 user32 winmm)
set(CAIRNFALL_HEADLESS cairnfall_platform_headless)

# ---------------------------------------------------------------- programs
# The icon from the desktop build's pictures, the version and the manifest
# (per-monitor DPI awareness, UTF-8 as the program's code page).
set(WIN32_RES ${CMAKE_BINARY_DIR}/resources)
add_custom_command(
  OUTPUT ${WIN32_RES}/cairnfall.ico
  COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/windows-icon ${CAIRNFALL_HOST_BUILD}/icons/hicolor
          ${WIN32_RES}/cairnfall.ico
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/windows-icon ${CAIRNFALL_HOST_BUILD}/data/.generated
  COMMENT "Packing the program's icon")
set(CAIRNFALL_VERSION_QUAD ${PROJECT_VERSION}.0)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/cairnfall.manifest ${WIN32_RES}/cairnfall.manifest
               @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/cairnfall.rc.in ${WIN32_RES}/cairnfall.rc @ONLY)
set_source_files_properties(${WIN32_RES}/cairnfall.rc PROPERTIES
  OBJECT_DEPENDS "${WIN32_RES}/cairnfall.ico;${WIN32_RES}/cairnfall.manifest")

add_executable(cairnfall WIN32 src/shell/main.cpp ${WIN32_RES}/cairnfall.rc)
cairnfall_link_game(cairnfall cairnfall_platform_win32)

# The game's folder as the player gets it: the programs beside data/.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/data/.generated
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CAIRNFALL_HOST_BUILD}/data ${CMAKE_BINARY_DIR}/data
  DEPENDS ${CAIRNFALL_HOST_BUILD}/data/.generated
  COMMENT "Copying the game's data from the desktop build")
add_custom_target(windows_data ALL DEPENDS ${CMAKE_BINARY_DIR}/data/.generated)
set(CAIRNFALL_DATA_TARGET windows_data)

include(${CMAKE_SOURCE_DIR}/cmake/windows-package.cmake)

# ---------------------------------------------------------------- tests
# The headless test programs of the game's modules, each run whole under Wine as
# one test. Left out: assets and font (FreeType and fontconfig draw the art and
# the font at build time, on the desktop only) and sdl (the SDL backend).
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

set(CAIRNFALL_TEST_DIRS e2e game gfx recording replay runtime screens shell sound)
file(TO_NATIVE_PATH "Z:${CMAKE_SOURCE_DIR}" WIN32_SOURCE_DIR)
string(REPLACE "/" "\\" WIN32_SOURCE_DIR "${WIN32_SOURCE_DIR}")
# A test program still running after 300 s is stopped by wine-run, which first
# prints every thread's stack (ctest's time-out, a minute later, would end it
# unexplained). The slowest, e2e and recording, took up to 183 s on a busy machine.
set(CAIRNFALL_TEST_ENV "CAIRNFALL_SOURCE_DIR=${WIN32_SOURCE_DIR};CAIRNFALL_WINE_TIMEOUT=300")
# Tests that are about POSIX files, left out here: the data check builds its
# broken data folders from symbolic links of files (a loop among them), which
# Wine cannot make; saves (tests/saves) checks XDG folders, modes and POSIX
# locks, and tests/win32 checks the Windows twins instead.
set(TEST_SKIP_shell "DataCheck.*")
# The soak drives the same game code as on Linux, where both builds soak it; here
# it would cost a minute and test nothing of Windows.
set(TEST_SKIP_game "SoakEveryScreen.*")

function(cairnfall_system_tests)
  # The Windows backend and its file code where Windows differs (tests/win32), on
  # the real backend: no test there opens a window.
  file(GLOB WIN32_TEST_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
  add_executable(test_win32 ${WIN32_TEST_SRC})
  target_compile_options(test_win32 PRIVATE -O0)
  target_include_directories(test_win32 PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_win32 PRIVATE gtest)
  cairnfall_link_game(test_win32 cairnfall_platform_win32)
  add_test(NAME windows.win32 COMMAND test_win32 --gtest_brief=1)
  set_tests_properties(windows.win32 PROPERTIES ENVIRONMENT "CAIRNFALL_WINE_TIMEOUT=300"
                       TIMEOUT 360)

  # The real programs under Wine on a virtual X server (tests/win32): the game
  # played, its files, sound and start-up failure, recordings crossing to and from
  # the desktop build (CAIRNFALL_HOST_BUILD), and the installer and the zip. They
  # have a Wine prefix of their own (wine-desktop): Wine's desktop, made by the
  # first program of a prefix, has no display when a headless test made it. They
  # share that prefix and the player's folder in it: one at a time.
  set(WIN32_PROGRAM_TESTS ${CMAKE_SOURCE_DIR}/tests/win32)
  add_test(NAME windows.program.smoke
           COMMAND ${WIN32_PROGRAM_TESTS}/smoke_test.sh ${CMAKE_BINARY_DIR} ${CAIRNFALL_HOST_BUILD})
  add_test(NAME windows.program.installer
           COMMAND ${WIN32_PROGRAM_TESTS}/installer_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(windows.program.smoke windows.program.installer PROPERTIES
    TIMEOUT 240 RESOURCE_LOCK wine_player)
  # The session the smoke test recorded under Windows, watched by its link in the
  # page of the web build (CAIRNFALL_WEB_SITE) in Chromium, WebKitGTK and
  # Firefox: End shows the desktop build's last frame. Skipped without that page.
  set(CAIRNFALL_WEB_SITE ${CAIRNFALL_HOST_BUILD}/../build-web CACHE PATH "the web build's page (build-web/)")
  add_test(NAME windows.program.watch_in_page
           COMMAND xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3
                   ${CMAKE_SOURCE_DIR}/tests/web/watch_across.py ${CAIRNFALL_WEB_SITE}
                   ${CAIRNFALL_HOST_BUILD} ${CMAKE_BINARY_DIR}/watched/windows.rec)
  set_tests_properties(windows.program.smoke PROPERTIES FIXTURES_SETUP windows_session)
  set_tests_properties(windows.program.watch_in_page PROPERTIES TIMEOUT 240
    FIXTURES_REQUIRED windows_session SKIP_RETURN_CODE 77)
endfunction()
