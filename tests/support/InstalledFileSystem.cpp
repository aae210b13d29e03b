// Every test program reads and writes its files through the program's own file
// system, installed before any test runs.
#include "adapters/PosixFileSystem.h"
#include "core/text/FileIO.h"

namespace trakvella::testing {
namespace {

const bool kInstalled = [] {
  static PosixFileSystem files;
  InstallFileSystem(&files);
  return true;
}();

}  // namespace
}  // namespace trakvella::testing
