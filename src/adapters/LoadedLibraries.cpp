#include "adapters/LoadedLibraries.h"

namespace trakvella {

// The sonames of the interfaces the adapters are built against.
static_assert(LIBCURL_VERSION_MAJOR == 7 || LIBCURL_VERSION_MAJOR == 8, "libcurl.so.4 is libcurl 7 and 8");
static_assert(ARCHIVE_VERSION_NUMBER / 1000000 == 3, "libarchive.so.13 is libarchive 3");

const CurlApi* Curl(std::string& why) {
  const CurlApi* api =
      LoadLibraryTable<CurlApi>("libcurl.so.4", {TRAKVELLA_CURL_FUNCTIONS(TRAKVELLA_LIBRARY_NAME)}, why);
  static const bool started = api && api->global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  if (api && !started) {
    why = "cannot start libcurl";
    return nullptr;
  }
  return api;
}

const ArchiveApi* Archive(std::string& why) {
  return LoadLibraryTable<ArchiveApi>("libarchive.so.13", {TRAKVELLA_ARCHIVE_FUNCTIONS(TRAKVELLA_LIBRARY_NAME)}, why);
}

const SndfileApi* Sndfile(std::string& why) {
  return LoadLibraryTable<SndfileApi>("libsndfile.so.1", {TRAKVELLA_SNDFILE_FUNCTIONS(TRAKVELLA_LIBRARY_NAME)}, why);
}

}  // namespace trakvella
