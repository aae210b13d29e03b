// Libraries loaded at their first use: the functions found, and the message when a library or a
// function is missing (the adapters hand it on as their failure).
#include "adapters/SharedLibrary.h"

#include <cstring>
#include <string>
#include <zlib.h>

#include <gtest/gtest.h>

#include "adapters/LoadedLibraries.h"

namespace trakvella::testing {
namespace {

TEST(SharedLibrary, ResolvesEachNameInOrderAndSaysWhichLibraryOrFunctionIsMissing) {
  void* slots[2] = {nullptr, nullptr};
  std::string why;
  ASSERT_TRUE(LoadSharedLibrary("libz.so.1", {"zlibVersion", "crc32"}, slots, why)) << why;
  EXPECT_STREQ(reinterpret_cast<decltype(&zlibVersion)>(slots[0])(), zlibVersion());
  EXPECT_EQ(reinterpret_cast<decltype(&crc32)>(slots[1])(0, reinterpret_cast<const Bytef*>("abc"), 3), 0x352441c2u);

  void* untouched[2] = {slots[0], slots[1]};
  EXPECT_FALSE(LoadSharedLibrary("libz.so.1", {"zlibVersion", "no_such_function"}, untouched, why));
  EXPECT_EQ(why, "cannot load libz.so.1: it has no no_such_function");
  EXPECT_EQ(untouched[0], slots[0]);

  EXPECT_FALSE(LoadSharedLibrary("libtrakvella-none.so.9", {"f"}, untouched, why));
  EXPECT_TRUE(why.starts_with("cannot load libtrakvella-none.so.9: ")) << why;
}

TEST(SharedLibrary, TheAdaptersLibrariesLoadWithEveryFunctionTheyCall) {
  std::string why;
  EXPECT_NE(Curl(why), nullptr) << why;
  EXPECT_NE(Archive(why), nullptr) << why;
  const SndfileApi* sndfile = Sndfile(why);
  ASSERT_NE(sndfile, nullptr) << why;
  EXPECT_EQ(Sndfile(why), sndfile);  // loaded once
}

}  // namespace
}  // namespace trakvella::testing
