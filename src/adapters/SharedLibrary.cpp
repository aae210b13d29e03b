#include "adapters/SharedLibrary.h"

#include <cstring>
#include <dlfcn.h>
#include <vector>

namespace trakvella {

bool LoadSharedLibrary(const char* soname, std::initializer_list<const char*> names, void** slots, std::string& why) {
  void* handle = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = ::dlerror();
    why = std::string("cannot load ") + soname + (error ? std::string(": ") + error : std::string());
    return false;
  }
  std::vector<void*> found;
  found.reserve(names.size());
  for (const char* name : names) {
    ::dlerror();
    void* address = ::dlsym(handle, name);
    if (!address) {
      why = std::string("cannot load ") + soname + ": it has no " + name;
      ::dlclose(handle);
      return false;
    }
    found.push_back(address);
  }
  std::memcpy(slots, found.data(), found.size() * sizeof(void*));
  return true;
}

}  // namespace trakvella
