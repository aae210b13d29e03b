#pragma once
// EmbeddedResources: the catalogue resources compiled into the program from resources/ at build time
// (cmake/EmbedResources.cmake); a static table ending with a null type, owned by the program image.
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
