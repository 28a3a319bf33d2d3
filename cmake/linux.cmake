# The Linux desktop: SDL2 and SDL2_mixer for the game, the system's zlib for the
# recorder and libpng for the tools, FreeType and fontconfig for the asset
# generator. The game itself is built here with its pictures and sounds, its
# installed files and the .deb; every test folder runs natively.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)

# ---------------------------------------------------------------- the platform
# What every backend shares, what the desktops share, the POSIX files and the XDG
# desktop's own, compiled once and put into each backend.
set(PLATFORM_SHARED cairnfall_platform_shared)
cairnfall_objects(${PLATFORM_SHARED} FOLDERS src/platform/common src/platform/common/tape
                  src/platform/desktop src/platform/posix src/platform/xdg LIBRARIES PkgConfig::ZLIB)
cairnfall_backend(cairnfall_platform_headless FOLDERS src/platform/headless SHARED ${PLATFORM_SHARED}
                  LIBRARIES PkgConfig::ZLIB)
cairnfall_backend(cairnfall_platform_sdl FOLDERS src/platform/sdl SHARED ${PLATFORM_SHARED}
                  LIBRARIES PkgConfig::SDL2 PkgConfig::SDL2_MIXER PkgConfig::ZLIB)
set(CAIRNFALL_HEADLESS cairnfall_platform_headless)

# ---------------------------------------------------------------- programs
add_executable(cairnfall src/shell/main.cpp)
cairnfall_link_game(cairnfall cairnfall_platform_sdl)

# The tools' PNG files, by libpng.
cairnfall_library(cairnfall_tools_common tools/common)
target_include_directories(cairnfall_tools_common PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(cairnfall_tools_common PUBLIC PkgConfig::PNG)

# The FreeType rasteriser that renders the font file and the pictures' texts at
# build time: only the asset generator and the rasteriser's tests (tests/font).
cairnfall_library(cairnfall_font_raster tools/font_raster)
target_include_directories(cairnfall_font_raster PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(cairnfall_font_raster PUBLIC cairnfall_font PkgConfig::FREETYPE
                      PkgConfig::FONTCONFIG)

# The game's pictures, drawn, and its sounds, synthesised, into data/ and icons/.
cairnfall_sources(ASSETGEN_SRC tools/assetgen)
list(FILTER ASSETGEN_SRC EXCLUDE REGEX "/sound_[^/]*\\.cpp$")
add_library(cairnfall_art STATIC ${ASSETGEN_SRC})
target_include_directories(cairnfall_art PUBLIC ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cairnfall_art PUBLIC cairnfall_tools_common cairnfall_font_raster)
add_executable(cairnfall-assetgen tools/assetgen/main.cpp)
target_link_libraries(cairnfall-assetgen PRIVATE cairnfall_art cairnfall_sounds_synth)
cairnfall_link_game(cairnfall-assetgen cairnfall_platform_headless)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/data/.generated
  BYPRODUCTS ${CMAKE_BINARY_DIR}/icons ${CMAKE_BINARY_DIR}/data/icon.bmp
  COMMAND cairnfall-assetgen ${CMAKE_BINARY_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/data/.generated
  DEPENDS cairnfall-assetgen
  COMMENT "Generating the game's pictures and sounds")
add_custom_target(assets ALL DEPENDS ${CMAKE_BINARY_DIR}/data/.generated)
set(CAIRNFALL_DATA_TARGET assets)

include(cmake/install.cmake)

# ---------------------------------------------------------------- tests
# Without GoogleTest (`make run` does not install it) the game still builds: the
# test programs are left out, and `make test` installs it first. tests/sdl runs
# on the real backend with SDL's dummy drivers; tests/win32 is Windows' own.
find_package(GTest QUIET)
include(GoogleTest)
if(GTest_FOUND)
  file(GLOB test_dirs LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
  foreach(dir ${test_dirs})
    file(GLOB test_src ${dir}/*.cpp)
    get_filename_component(name ${dir} NAME)
    if(test_src AND NOT name STREQUAL "win32")
      list(APPEND CAIRNFALL_TEST_DIRS ${name})
    endif()
  endforeach()
else()
  message(STATUS "GoogleTest not found: the test programs are not built")
endif()
set(CAIRNFALL_TEST_ENV "CAIRNFALL_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
set(TEST_BACKEND_sdl cairnfall_platform_sdl)
set(TEST_ENV_sdl "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy")

# Checks of the real program from the outside, and the benchmarks, after the
# common targets.
function(cairnfall_system_tests)
  # Only in the plain build: sanitizer reports at exit would blur "one line on
  # stderr". The command line and start-up failures, what `make run` builds, an
  # install run and a recorded session replayed, both on a virtual X server; and
  # the includes of src/, which go down the layers and never loop back.
  if(NOT CAIRNFALL_SANITIZE)
    add_test(NAME layers.includes_go_down COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-layers)
    set(PROGRAM_TESTS ${CMAKE_SOURCE_DIR}/tests/programs)
    add_test(NAME program.command_line COMMAND ${PROGRAM_TESTS}/cli_test.sh $<TARGET_FILE:cairnfall>)
    add_test(NAME program.make_run_builds_no_tests
             COMMAND ${PROGRAM_TESTS}/make_run_targets.sh ${CMAKE_BINARY_DIR})
    add_test(NAME program.install COMMAND ${PROGRAM_TESTS}/install_test.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(program.install PROPERTIES TIMEOUT 120 RESOURCE_LOCK xserver)
    add_test(NAME program.recording COMMAND ${PROGRAM_TESTS}/recording_test.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(program.recording PROPERTIES TIMEOUT 120 RESOURCE_LOCK xserver)
  endif()

  # Left out, as the tests are, when Google Benchmark is not installed.
  if(CAIRNFALL_BENCH)
    find_package(benchmark QUIET)
    if(NOT benchmark_FOUND)
      message(STATUS "Google Benchmark not found: the benchmarks are not built")
      return()
    endif()
    cairnfall_sources(BENCH_SRC bench)
    add_executable(cairnfall-bench ${BENCH_SRC})
    target_include_directories(cairnfall-bench PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tools)
    target_link_libraries(cairnfall-bench PRIVATE PkgConfig::SDL2 benchmark::benchmark_main)
    cairnfall_link_game(cairnfall-bench cairnfall_platform_headless)
    # The scaling benchmark times the SDL backend's scaling alone (sdl_scaling.cpp,
    # which defines no platform_ function), after the headless backend in the link.
    target_link_libraries(cairnfall-bench PRIVATE cairnfall_platform_sdl)
    add_dependencies(cairnfall-bench assets)
  endif()
endfunction()
