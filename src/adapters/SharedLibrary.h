#pragma once
// SharedLibrary: a library the adapters load at their first call rather than at the program's start,
// so a command that never goes on the network, opens an archive or decodes audio does not pay for
// mapping libcurl, libarchive or libsndfile and everything they link. Each library gets one table of
// the functions its adapter calls, filled once for the whole process; the library stays loaded.
//
// A table is a struct of function pointers named by an X-list of the functions without their common
// prefix (the prefix keeps them apart from the library's own macros of the same names):
//
//   #define CURL_FUNCTIONS(X) X(curl_, easy_init) X(curl_, easy_cleanup)
//   struct CurlApi { CURL_FUNCTIONS(TRAKVELLA_LIBRARY_POINTER) };
//   const CurlApi* api = LoadLibraryTable<CurlApi>("libcurl.so.4", {CURL_FUNCTIONS(TRAKVELLA_LIBRARY_NAME)}, why);
//   api->easy_init();
#include <cstddef>
#include <initializer_list>
#include <string>

namespace trakvella {

#define TRAKVELLA_LIBRARY_POINTER(prefix, name) decltype(&::prefix##name) name;
#define TRAKVELLA_LIBRARY_NAME(prefix, name) #prefix #name,

// Opens `soname` and resolves each of `names` into `slots` (as many), in order. On failure leaves the
// slots as they are, sets `why` to what the loader said ("cannot load libcurl.so.4: ...") and
// returns false.
bool LoadSharedLibrary(const char* soname, std::initializer_list<const char*> names, void** slots, std::string& why);

// One table per library for the whole process: the first call loads it, every later call returns the
// same table, or nothing with the same message when the library could not be loaded.
template <class Table>
const Table* LoadLibraryTable(const char* soname, std::initializer_list<const char*> names, std::string& why) {
  static_assert(sizeof(Table) % sizeof(void*) == 0, "a table holds function pointers only");
  struct Loaded {
    Table table{};
    std::string why;
    bool ok = false;
  };
  static const Loaded loaded = [&] {
    Loaded result;
    if (names.size() * sizeof(void*) != sizeof(Table)) {
      result.why = std::string("the table of ") + soname + " does not match its names";
      return result;
    }
    result.ok = LoadSharedLibrary(soname, names, reinterpret_cast<void**>(&result.table), result.why);
    return result;
  }();
  if (!loaded.ok) {
    why = loaded.why;
    return nullptr;
  }
  return &loaded.table;
}

}  // namespace trakvella
