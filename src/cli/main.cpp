// trakvella-cli: the catalogue on the command line, for scripts, the library's
// staff and acceptance tests. Output is UTF-8, one key=value per line; every
// message the program would show in a box goes to stderr as "message: TEXT".
// The commands, their arguments and handlers are in the table of Commands.cpp.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include <sys/mman.h>
#include <sys/stat.h>

#include "adapters/PosixFileSystem.h"
#include "cli/CliOutput.h"
#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/lang/Locale.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/FileIO.h"
#include "core/text/Text.h"

namespace trakvella::cli {
namespace {

// The program's own options; they stand before the command, whose name ends them.
const Syntax& ProgramSyntax() {
  static const Syntax syntax{.options = {{"--catalogue", true},
                                         {"--home", true},
                                         {"--lang", true},
                                         {"--today", true},
                                         {"-local"},
                                         {.name = "--help", .endsLine = true},
                                         {.name = "-h", .endsLine = true}},
                             .optionWords = {"-", 1},  // "-" alone is an unknown option too
                             .stopAtArgument = true};
  return syntax;
}

// The program folder: --home, else the folder holding this program file, or the user's data folder
// when that one cannot be written (an installed program). The one place it is chosen,
// once the command line has been read whole.
std::filesystem::path ProgramFolder(const Arguments& line) {
  if (line.has("--home")) return line.value("--home");
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ProgramFolderForThisRun(std::nullopt, ec ? std::filesystem::current_path() : exe.parent_path()).folder;
}

YearMonth ThisMonth() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1};
}

// The program's own options as every command runs with them.
struct ProgramOptions {
  Language language = Language::English;  // --lang, else the system's (Russian when its locale is)
  std::optional<YearMonth> today;         // --today: the month that decides which CDs are new, else this month
  std::optional<std::filesystem::path> catalogueFolder;
  bool offline = false;  // -local
};

// The values are checked in the order given.
ProgramOptions ReadProgramOptions(const Arguments& line) {
  ProgramOptions read;
  std::optional<Language> language;
  for (const auto& [name, text] : line.given()) {
    if (name == "--lang") {
      if (text != "en" && text != "ru") throw UsageError{"--lang wants en or ru, got \"" + text + "\""};
      language = text == "ru" ? Language::Russian : Language::English;
    } else if (name == "--today") {
      long long y, m;
      if (text.size() != 7 || text[4] != '-' || !ParseInt(text.substr(0, 4), y) || !ParseInt(text.substr(5, 2), m) ||
          m < 1 || m > 12)
        throw UsageError{"--today wants YYYY-MM, got \"" + text + "\""};
      read.today = YearMonth{static_cast<int>(y), static_cast<int>(m)};
    }
  }
  read.language = language ? *language : LanguageFromLocaleId(SystemLanguageId());
  if (!read.today) read.today = ThisMonth();
  if (line.has("--catalogue")) read.catalogueFolder = line.value("--catalogue");
  read.offline = line.has("-local");
  return read;
}

// The catalogue as the program loads it: the folder given, the program folder's or the embedded one.
// Null, with the reason on stderr, when the folder given does not exist.
std::unique_ptr<ResourceStore> LoadCatalogue(const ProgramOptions& program, Catalogue& catalogue,
                                             CommandContext& context) {
  std::string error;
  auto resources = OpenCatalogueResources(program.catalogueFolder, context.programFolder, error, program.language);
  if (!resources) {
    std::cerr << "trakvella-cli: " << error << '\n';
    return nullptr;
  }
  StderrDialogs dialogs;
  LoadOptions options;
  options.offline = program.offline;
  options.programFolder = context.programFolder;
  options.today = *program.today;
  options.language = program.language;
  catalogue.ReadCatalogueTables(*resources, dialogs);
  catalogue.LoadCatalogue(*resources, options, dialogs, context.ports.progress);
  context.catalogue = &catalogue;
  context.resources = resources.get();
  return resources;
}

// Reads the command line and runs its command; `command` is set once the command is known, so that a
// wrong use of it is followed by its own usage.
int Run(const std::vector<std::string>& words, const Command*& command) {
  const Arguments line = ParseArguments(ProgramSyntax(), "trakvella-cli", words);
  // --help ends the reading: the values before it are checked, nothing after it is read.
  const ProgramOptions program = ReadProgramOptions(line);
  if (line.has("--help") || line.has("-h")) {
    std::cout << kProgramUsage;
    return 0;
  }
  if (line.rest().empty()) throw UsageError{"no command given"};
  const std::string& name = line.rest().front();
  command = FindCommand(name);
  if (!command) throw UsageError{"unknown command " + name};
  const Arguments args = ParseArguments(command->syntax, name, {line.rest().begin() + 1, line.rest().end()});

  CliPorts ports;
  CommandContext context{program.language, ProgramFolder(line), program.offline, ports};
  // The catalogue stays until the process ends: its memory goes back with the process instead
  // of being freed string by string after the output is written. It is held from static storage,
  // so it stays reachable (a leak checker counts it as kept, not lost).
  static Catalogue* const catalogue = new Catalogue;
  static std::unique_ptr<ResourceStore> resources;
  if (command->needsCatalogue && !(resources = LoadCatalogue(program, *catalogue, context))) return 2;
  return command->handler(context, args);
}

// A command that loads the catalogue makes some hundred thousand small blocks within a few
// milliseconds, and each fresh 4 KiB page of them costs a page fault (a sixth of `info`'s time).
// The heap is grown once by a large step, which the kernel is asked to back with huge pages, and
// blocks up to 32 MiB come from it rather than from a mapping of their own. Only address space is
// reserved: pages are still taken as they are first touched, 2 MiB at a time.
void GrowHeapInHugePages() {
  constexpr size_t kStep = size_t{128} << 20, kHuge = size_t{2} << 20;
  if (mallopt(M_TOP_PAD, static_cast<int>(kStep)) != 1 || mallopt(M_MMAP_THRESHOLD, 32 << 20) != 1) return;
  const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
  void* volatile block = std::malloc(kHuge);  // the first block past the heap's end grows it by the step
  std::free(block);                           // (volatile: a pair of malloc and free may be left out)
  const auto after = reinterpret_cast<uintptr_t>(sbrk(0));
  const uintptr_t begin = (before + kHuge - 1) & ~(kHuge - 1), end = after & ~(kHuge - 1);
  if (end > begin) (void)madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// Output into a pipe goes in 64 KiB steps, each waiting for the reader: a pipe on standard output
// is given the largest buffer the system allows, so a long table crosses in a few.
void WidenOutputPipe() {
  struct stat out {};
  if (fstat(STDOUT_FILENO, &out) != 0 || !S_ISFIFO(out.st_mode)) return;
  int largest = 1 << 20;
  if (std::FILE* limit = std::fopen("/proc/sys/fs/pipe-max-size", "r")) {
    if (std::fscanf(limit, "%d", &largest) != 1) largest = 1 << 20;
    std::fclose(limit);
  }
  (void)fcntl(STDOUT_FILENO, F_SETPIPE_SZ, largest);  // a smaller pipe still works
}

}  // namespace
}  // namespace trakvella::cli

int main(int argc, char** argv) {
  using namespace trakvella;
  cli::GrowHeapInHugePages();
  cli::WidenOutputPipe();
  std::ios::sync_with_stdio(false);
  PosixFileSystem files;
  InstallFileSystem(&files);
  const cli::Command* command = nullptr;
  try {
    return cli::Run(std::vector<std::string>(argv + 1, argv + argc), command);
  } catch (const cli::UsageError& e) {
    std::cout.flush();
    std::cerr << "trakvella-cli: " << e.text << '\n'
              << (command && !e.programUsage ? command->usage : cli::kProgramUsage);
    return 2;
  }
}
