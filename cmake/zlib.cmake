# zlib for the recorder where the system has none to link (Windows, the browser):
# the vendored release in third_party/zlib; its own code, its own warnings.
file(GLOB ZLIB_SRC ${CMAKE_SOURCE_DIR}/third_party/zlib/*.c)
add_library(cairnfall_zlib STATIC ${ZLIB_SRC})
target_compile_options(cairnfall_zlib PRIVATE -w)
target_include_directories(cairnfall_zlib PUBLIC ${CMAKE_SOURCE_DIR}/third_party/zlib)

# The tools' PNG files, written with zlib alone (no libpng there).
add_library(cairnfall_tools_common STATIC ${CMAKE_SOURCE_DIR}/tools/common/png_zlib/png_write.cpp)
target_include_directories(cairnfall_tools_common PUBLIC ${CMAKE_SOURCE_DIR}/tools ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cairnfall_tools_common PUBLIC cairnfall_zlib)
