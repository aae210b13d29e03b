# Compiles the catalogue resources (resources/TYPE/NAME.ext) into a C++ source
# holding their bytes, so the program carries its default catalogue.
# Inputs: RESOURCE_DIR, OUTPUT.
file(GLOB_RECURSE files RELATIVE "${RESOURCE_DIR}" "${RESOURCE_DIR}/*/*")
list(SORT files)
set(body "")
set(table "")
set(i 0)
foreach(rel IN LISTS files)
  get_filename_component(type "${rel}" DIRECTORY)
  get_filename_component(name "${rel}" NAME_WE)
  if(type MATCHES "/")
    continue()
  endif()
  file(READ "${RESOURCE_DIR}/${rel}" hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND body "static const char r${i}[] = {${bytes} 0};\n")
  string(APPEND table "  {\"${type}\", \"${name}\", r${i}, ${size}},\n")
  math(EXPR i "${i} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp"
"// Generated from resources/ at build time. Do not edit.\n"
"#include \"core/catalogue/EmbeddedResources.h\"\n"
"namespace trakvella {\n"
"${body}"
"static const EmbeddedResource kTable[] = {\n${table}  {nullptr, nullptr, nullptr, 0}};\n"
"const EmbeddedResource* EmbeddedResourceTable() { return kTable; }\n"
"}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
