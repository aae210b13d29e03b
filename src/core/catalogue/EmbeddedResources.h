#pragma once
// The catalogue resources compiled into the program from resources/ at build
// time (see cmake/EmbedResources.cmake). The table ends with a null type.
#include <cstddef>

namespace trakvella {

struct EmbeddedResource {
  const char* type;
  const char* name;
  const char* data;
  size_t size;
};

const EmbeddedResource* EmbeddedResourceTable();

}  // namespace trakvella
