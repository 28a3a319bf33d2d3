# The browser build: the same game modules, the web backend (src/platform/web)
# and a vendored zlib, built with Emscripten into a folder any static file server
# can serve. Configured by `make web` with emcmake; CAIRNFALL_HOST_DATA names the
# host build's data/ folder, whose pictures and font the page downloads (the
# sounds are synthesised in the page).
enable_language(C)
# -O2: as fast as -O3 here, and smaller to download.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG")
set(CAIRNFALL_HOST_DATA "" CACHE PATH "data/ of a host build (pictures and font)")
set(CAIRNFALL_HOST_ICONS "" CACHE PATH "icons/ of a host build")

include(cmake/zlib.cmake)

# The page's backend: what every backend shares, the POSIX files it shares with
# Linux, and its own; saves, recordings and the game folder are the page's.
cairnfall_backend(cairnfall_platform_web LIBRARIES cairnfall_zlib
                  FOLDERS src/platform/common src/platform/common/tape src/platform/posix src/platform/web)
# The desktop's headless backend with the Linux desktop's files, compiled for
# node: cairnfall-session-hashes prints the same frame hashes and saved files as
# its native build (tests/web/wasm_matches_native.sh). NODERAWFS reads the
# desktop build's data/ and writes the saves to the real disk.
cairnfall_backend(cairnfall_platform_headless_node LIBRARIES cairnfall_zlib
                  FOLDERS src/platform/common src/platform/common/tape src/platform/desktop
                          src/platform/posix src/platform/xdg src/platform/headless)
set(CAIRNFALL_HEADLESS cairnfall_platform_headless_node)

# The page's program. ASYNCIFY lets the main loop, the blocking animations and
# the waits on storage sleep without freezing the tab.
set(CAIRNFALL_WEB_OUT ${CMAKE_BINARY_DIR}/site CACHE PATH "where the page is put together")
set(WEB_OUT ${CAIRNFALL_WEB_OUT})
add_executable(cairnfall ${CMAKE_SOURCE_DIR}/src/shell/web_main.cpp)
cairnfall_link_game(cairnfall cairnfall_platform_web)
set_target_properties(cairnfall PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WEB_OUT} SUFFIX ".js")
set(WEB_GAME_LINK_OPTIONS
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=16384 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sENVIRONMENT=web -sEXIT_RUNTIME=1 -sFORCE_FILESYSTEM=1 -sINVOKE_RUN=0
  "-sEXPORTED_RUNTIME_METHODS=['callMain','FS']")
target_link_options(cairnfall PRIVATE ${WEB_GAME_LINK_OPTIONS})

# The sound maker the page runs in a worker once the game shows its first picture.
add_executable(cairnfall-sounds ${CMAKE_SOURCE_DIR}/tools/sound_worker/main.cpp)
# The game's WAV reader, over the plain file calls, reads each back.
target_link_libraries(cairnfall-sounds PRIVATE cairnfall_sounds_synth cairnfall_sound
  cairnfall_platform_web)
set_target_properties(cairnfall-sounds PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WEB_OUT} SUFFIX ".js")
target_link_options(cairnfall-sounds PRIVATE
  -sENVIRONMENT=worker -sMODULARIZE=1 -sEXPORT_NAME=createSoundMaker -sALLOW_MEMORY_GROWTH=1
  -sEXPORTED_FUNCTIONS=_make_sound
  -sFORCE_FILESYSTEM=1 "-sEXPORTED_RUNTIME_METHODS=['FS']")

# A game frame timed in the page (bench/index.html), beside BM_GameFrame. In a
# folder of its own, so that the offline copy leaves it out.
add_executable(cairnfall-bench ${CMAKE_SOURCE_DIR}/bench/web/web_frame_bench.cpp
               ${CMAKE_SOURCE_DIR}/bench/big_board.cpp)
target_include_directories(cairnfall-bench PRIVATE ${CMAKE_SOURCE_DIR}/bench)
cairnfall_link_game(cairnfall-bench cairnfall_platform_web)
set_target_properties(cairnfall-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WEB_OUT}/bench SUFFIX ".js")
target_link_options(cairnfall-bench PRIVATE ${WEB_GAME_LINK_OPTIONS})
add_custom_command(TARGET cairnfall-bench POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/bench/web/index.html ${WEB_OUT}/bench/index.html)

# The page around it, its data pack and its service worker's list of files.
file(GLOB WEB_PAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/*)
add_custom_command(
  OUTPUT ${WEB_OUT}/.site
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WEB_OUT}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/web-site ${CMAKE_SOURCE_DIR}/web
          ${CAIRNFALL_HOST_DATA} ${CAIRNFALL_HOST_ICONS} ${WEB_OUT}
  COMMAND ${CMAKE_COMMAND} -E touch ${WEB_OUT}/.site
  DEPENDS cairnfall cairnfall-sounds cairnfall-bench ${WEB_PAGE_FILES} ${CMAKE_SOURCE_DIR}/scripts/web-site
          ${CAIRNFALL_HOST_DATA}/.generated
  COMMENT "Packing the page, its data and its offline list")
add_custom_target(site ALL DEPENDS ${WEB_OUT}/.site)

# The web build's own tests (tests/web): the wasm game under node against the
# native one, and the page in the browsers. CAIRNFALL_NATIVE_BUILD names the
# desktop build they compare with.
set(CAIRNFALL_NATIVE_BUILD "" CACHE PATH "the desktop build folder (build/)")
function(cairnfall_system_tests)
  set_target_properties(cairnfall-session-hashes PROPERTIES SUFFIX ".js")
  target_link_options(cairnfall-session-hashes PRIVATE
    -sNODERAWFS=1 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/web ${CMAKE_BINARY_DIR}/tests-web)
endfunction()
