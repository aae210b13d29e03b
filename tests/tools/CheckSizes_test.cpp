// tools/check_sizes.py over a small source tree: which files and functions it names.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sys/wait.h>

#include "support/Fakes.h"

namespace trakvella {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A function of `lines` lines in the project's style: its signature over two lines, a body whose
// braces in strings, characters and comments must not end it early, and its brace at column 0.
std::string Function(const std::string& name, int lines) {
  std::string text = "int " + name + "(int a,\n        int b) {\n";
  text += "  const char* open = \"{\";  // }\n  char close = '}';\n  /* } */\n";
  for (int i = 5; i < lines - 2; ++i) text += "  a += b;\n";
  return text + "  return a + open[0] + close;\n}\n\n";
}

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "// line\n";
  return text;
}

TEST(CheckSizes, NamesFilesAndFunctionsOverTheirLimitsOnly) {
  TempDir dir;
  const fs::path src = dir.path() / "src";
  WriteFile(src / "core" / "text" / "Long.cpp",
            "namespace x {\n\n" + Function("Eighty", 80) + Function("EightyOne", 81) + "}  // namespace x\n");
  WriteFile(src / "core" / "text" / "Full.h", Lines(700));
  WriteFile(src / "core" / "text" / "Over.h", Lines(701));
  WriteFile(src / "ui" / "browse" / "Window.cpp", Lines(601));
  WriteFile(src / "adapters" / "Large.cpp", Lines(900));  // no file limit outside core and ui

  const fs::path out = dir.path() / "out.txt";
  const std::string command =
      "python3 " TRAKVELLA_SOURCE_DIR "/tools/check_sizes.py '" + src.string() + "' > '" + out.string() + "'";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_EQ(ReadFile(out),
            "src/core/text/Long.cpp:84: 81 lines (limit 80): int EightyOne(int a,\n"
            "src/core/text/Over.h: 701 lines (limit 700)\n"
            "src/ui/browse/Window.cpp: 601 lines (limit 600)\n");

  fs::remove(src / "core" / "text" / "Long.cpp");
  fs::remove(src / "core" / "text" / "Over.h");
  fs::remove(src / "ui" / "browse" / "Window.cpp");
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace trakvella
