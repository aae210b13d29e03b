#pragma once
// The tables of libcurl, libarchive and libsndfile the adapters call through, each loaded at its
// first use (SharedLibrary.h). Each accessor returns the table, or nothing with `why` set to a
// message the adapter hands on through its own failure.
#include <archive.h>
#include <archive_entry.h>
#include <sndfile.h>
#include <string>

#include <curl/curl.h>

#include "adapters/SharedLibrary.h"

namespace trakvella {

// clang-format off
#define TRAKVELLA_CURL_FUNCTIONS(X)                                                                \
  X(curl_, global_init) X(curl_, easy_init) X(curl_, easy_setopt) X(curl_, easy_getinfo)           \
  X(curl_, easy_perform) X(curl_, easy_reset) X(curl_, easy_cleanup) X(curl_, easy_strerror)       \
  X(curl_, slist_append) X(curl_, slist_free_all) X(curl_, multi_init) X(curl_, multi_add_handle)  \
  X(curl_, multi_remove_handle) X(curl_, multi_perform) X(curl_, multi_poll)                       \
  X(curl_, multi_info_read) X(curl_, multi_cleanup)
// clang-format on

struct CurlApi {
  TRAKVELLA_CURL_FUNCTIONS(TRAKVELLA_LIBRARY_POINTER)
};

// libcurl, started once (curl_global_init) as it is loaded.
const CurlApi* Curl(std::string& why);

// clang-format off
#define TRAKVELLA_ARCHIVE_FUNCTIONS(X)                                                              \
  X(archive_, read_new) X(archive_, read_support_format_rar) X(archive_, read_support_format_rar5)  \
  X(archive_, read_open_filename) X(archive_, read_next_header) X(archive_, read_header_position)   \
  X(archive_, read_data) X(archive_, read_data_skip) X(archive_, read_free)                         \
  X(archive_, error_string) X(archive_, format) X(archive_, entry_filetype)                         \
  X(archive_, entry_hardlink) X(archive_, entry_pathname) X(archive_, entry_pathname_utf8)          \
  X(archive_, entry_perm) X(archive_, entry_size) X(archive_, entry_size_is_set)
// clang-format on

struct ArchiveApi {
  TRAKVELLA_ARCHIVE_FUNCTIONS(TRAKVELLA_LIBRARY_POINTER)
};

const ArchiveApi* Archive(std::string& why);

// clang-format off
#define TRAKVELLA_SNDFILE_FUNCTIONS(X)                                 \
  X(sf_, open_virtual) X(sf_, close) X(sf_, seek) X(sf_, readf_float)
// clang-format on

struct SndfileApi {
  TRAKVELLA_SNDFILE_FUNCTIONS(TRAKVELLA_LIBRARY_POINTER)
};

const SndfileApi* Sndfile(std::string& why);

}  // namespace trakvella
