# Writes the build identifier into OUTPUT: the first 16 hex digits of a SHA-256
# over the names and contents of the sources that decide what the game does
# between its inputs: the code above the platform boundary, the boundary's
# headers and the session tape in front of it. The backends, the font rasteriser
# and the tools are left out: a session recorded in the window plays back on the
# headless backend, and they answer only through the tape. The data files have a
# fingerprint of their own (src/shell/data_checksum.cpp).
#
# Run at every build (cmake -DSOURCE_DIR=... -DOUTPUT=... -P build_id.cmake); the
# file is written only when the identifier changes, so that only it recompiles.
set(files)
foreach(pattern src/platform/*.h src/platform/common/tape/* src/shell/* src/runtime/* src/game/* src/screens/*
                src/gfx/* src/sound/*)
  file(GLOB found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${pattern})
  list(APPEND files ${found})
endforeach()
list(SORT files)
set(listing "")
foreach(file ${files})
  file(SHA256 ${SOURCE_DIR}/${file} hash)
  string(APPEND listing "${file} ${hash}\n")
endforeach()
string(SHA256 id "${listing}")
string(SUBSTRING ${id} 0 16 id)
set(text "// Made by cmake/build_id.cmake.\nextern const char BUILD_ID[];\nconst char BUILD_ID[] = \"${id}\";\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE ${OUTPUT} "${text}")
