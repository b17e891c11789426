# Generates a C++ source that embeds the module's resources (resource scripts, bitmaps, icons)
# and registers them with the windowing layer under the module's instance handle.
# Called as: cmake -DOUT=<file.cpp> -DFILES=<a;b;...> -P EmbedResources.cmake
# A bitmap or icon file is named after its resource number: "8134.bmp", "8134_checked.bmp".

set(body "")
set(entries "")
set(index 0)
foreach(file IN LISTS FILES)
  get_filename_component(name "${file}" NAME)
  get_filename_component(ext "${file}" LAST_EXT)
  string(TOLOWER "${ext}" ext)
  if(ext STREQUAL ".rc")
    set(kind "winx::ResourceKind::Script")
    set(id 0)
  elseif(ext STREQUAL ".bmp")
    set(kind "winx::ResourceKind::Bitmap")
  elseif(ext STREQUAL ".ico")
    set(kind "winx::ResourceKind::Icon")
  else()
    message(FATAL_ERROR "unknown resource type: ${file}")
  endif()
  if(NOT ext STREQUAL ".rc")
    string(REGEX MATCH "^[0-9]+" id "${name}")
    if(id STREQUAL "")
      message(FATAL_ERROR "resource file name must start with its number: ${file}")
    endif()
  endif()
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "static const unsigned char kData${index}[] = {${bytes}0};\n")
  string(APPEND entries "    {${kind}, ${id}, L\"${name}\", kData${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUT}.tmp" "// Generated from resources/ at build time; do not edit.
#include <win/winx.h>

namespace {
${body}
const winx::ResourceBlob kBlobs[] = {
${entries}};
} // namespace

// Registers the embedded resources under the module's instance handle.
void trkssRegisterResources(HINSTANCE module) {
    winx::registerResources(module, kBlobs, sizeof(kBlobs) / sizeof(kBlobs[0]));
}
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUT}.tmp" "${OUT}")
file(REMOVE "${OUT}.tmp")
