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

# zlib for the recorder, from third_party/zlib; its own code, its own warnings.
file(GLOB ZLIB_SRC ${CMAKE_SOURCE_DIR}/third_party/zlib/*.c)
add_library(cairnfall_zlib STATIC ${ZLIB_SRC})
target_compile_options(cairnfall_zlib PRIVATE -w)
target_include_directories(cairnfall_zlib PUBLIC ${CMAKE_SOURCE_DIR}/third_party/zlib)

# The files, save folders and recordings on Windows, the session tape and the
# shared plain parts of the POSIX code, compiled once into each backend.
cairnfall_sources(WIN32_COMMON_SRC src/platform/win32/files src/platform/tape)
list(APPEND WIN32_COMMON_SRC ${CMAKE_SOURCE_DIR}/src/platform/posix/save_error.cpp
     ${CMAKE_SOURCE_DIR}/src/platform/posix/session_files.cpp
     ${CMAKE_SOURCE_DIR}/src/platform/posix/save_folders.cpp
     ${CMAKE_SOURCE_DIR}/src/platform/posix/display_settings.cpp
     ${CMAKE_SOURCE_DIR}/src/platform/posix/open_error.cpp
     ${CMAKE_SOURCE_DIR}/src/platform/posix/picture_layout.cpp
     ${CMAKE_SOURCE_DIR}/src/platform/posix/save_temporaries.cpp)
add_library(cairnfall_platform_common OBJECT ${WIN32_COMMON_SRC})
target_include_directories(cairnfall_platform_common PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cairnfall_platform_common PUBLIC cairnfall_zlib)
set(WIN32_SYSTEM_LIBS shell32 ole32 uuid)

cairnfall_library(cairnfall_platform_headless src/platform/headless)
target_sources(cairnfall_platform_headless PRIVATE $<TARGET_OBJECTS:cairnfall_platform_common>)
target_link_libraries(cairnfall_platform_headless PUBLIC cairnfall_zlib ${WIN32_SYSTEM_LIBS})

cairnfall_library(cairnfall_platform_win32 src/platform/win32)
target_sources(cairnfall_platform_win32 PRIVATE $<TARGET_OBJECTS:cairnfall_platform_common>)
target_link_libraries(cairnfall_platform_win32 PUBLIC cairnfall_zlib ${WIN32_SYSTEM_LIBS} gdi32
                      user32 winmm)

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

# The replay tool; PNG files written with zlib alone (no libpng here).
add_library(cairnfall_tools_common STATIC ${CMAKE_SOURCE_DIR}/tools/common/windows/png_write.cpp)
target_include_directories(cairnfall_tools_common PUBLIC ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cairnfall_tools_common PUBLIC cairnfall_zlib)
cairnfall_library(cairnfall_replay tools/replay)
target_link_libraries(cairnfall_replay PUBLIC cairnfall_tools_common)
add_executable(cairnfall-replay tools/replay/main.cpp)
target_link_libraries(cairnfall-replay PRIVATE cairnfall_replay)
cairnfall_link_game(cairnfall-replay cairnfall_platform_headless)

# The game's folder as the player gets it: the programs beside data/.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/data/.generated
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CAIRNFALL_HOST_BUILD}/data ${CMAKE_BINARY_DIR}/data
  DEPENDS ${CAIRNFALL_HOST_BUILD}/data/.generated
  COMMENT "Copying the game's data from the desktop build")
add_custom_target(windows_data ALL DEPENDS ${CMAKE_BINARY_DIR}/data/.generated)

include(${CMAKE_SOURCE_DIR}/cmake/windows-package.cmake)

# ---------------------------------------------------------------- tests
# The headless test programs of the game's modules, each run whole under Wine as
# one test. Left out: assets and font (FreeType and fontconfig draw the art and
# the font at build time, on the desktop only) and sdl (the SDL backend).
enable_testing()
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

set(WIN32_TESTS e2e game gfx recording replay screens shell sound)
set(TEST_TOOLS_e2e cairnfall_replay)
set(TEST_TOOLS_game cairnfall_fuzz_support)
set(TEST_TOOLS_recording cairnfall_replay)
set(TEST_TOOLS_replay cairnfall_replay)
set(TEST_TOOLS_sound cairnfall_sounds_synth)
# Tests that are about POSIX files, left out here: the data check builds its
# broken data folders from symbolic links of files (a loop among them), which
# Wine cannot make; saves (tests/saves) checks XDG folders, modes and POSIX
# locks, and tests/win32 checks the Windows twins instead.
set(TEST_SKIP_shell "DataCheck.*")
# The soak drives the same game code as on Linux, where both builds soak it; here
# it would cost a minute and test nothing of Windows.
set(TEST_SKIP_game "SoakEveryScreen.*")
add_library(cairnfall_fuzz_support STATIC ${CMAKE_SOURCE_DIR}/fuzz/support/game_events.cpp)
target_include_directories(cairnfall_fuzz_support PUBLIC ${CMAKE_SOURCE_DIR}/fuzz)
target_link_libraries(cairnfall_fuzz_support PUBLIC cairnfall_replay)
cairnfall_link_game(cairnfall_fuzz_support cairnfall_platform_headless)
file(TO_NATIVE_PATH "Z:${CMAKE_SOURCE_DIR}" WIN32_SOURCE_DIR)
string(REPLACE "/" "\\" WIN32_SOURCE_DIR "${WIN32_SOURCE_DIR}")
foreach(name ${WIN32_TESTS})
  file(GLOB test_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${name}/*.cpp)
  add_executable(test_${name} ${test_src})
  target_compile_options(test_${name} PRIVATE -O0)
  target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tools
                             ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${TEST_TOOLS_${name}} gtest_main)
  cairnfall_link_game(test_${name} cairnfall_platform_headless)
  add_dependencies(test_${name} windows_data)
  set(filter)
  if(TEST_SKIP_${name})
    set(filter "--gtest_filter=-${TEST_SKIP_${name}}")
  endif()
  add_test(NAME windows.${name} COMMAND test_${name} --gtest_brief=1 ${filter}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(windows.${name} PROPERTIES
    ENVIRONMENT "CAIRNFALL_SOURCE_DIR=${WIN32_SOURCE_DIR}" TIMEOUT 300)
endforeach()

# The Windows backend and its file code where Windows differs (tests/win32), on
# the real backend: no test there opens a window.
file(GLOB WIN32_TEST_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(test_win32 ${WIN32_TEST_SRC})
target_compile_options(test_win32 PRIVATE -O0)
target_include_directories(test_win32 PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(test_win32 PRIVATE gtest)
cairnfall_link_game(test_win32 cairnfall_platform_win32)
add_test(NAME windows.win32 COMMAND test_win32 --gtest_brief=1)

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
