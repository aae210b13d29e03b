// The command table of trakvella-cli: one row per command, with its usage texts.
#include "cli/Commands.h"

#include <algorithm>

namespace trakvella::cli {

const std::string_view kProgramUsage =
    "usage: trakvella-cli [--catalogue DIR] [--home DIR] [--lang en|ru] [--today YYYY-MM] [-local]\n"
    "                     COMMAND [ARGS]\n"
    "commands: info | cd CDCODE | track TRACKCODE | tree [PATH] [--new-first 0|1] | tags\n"
    "          tracks CDCODE [--sort order|popular|length|tempo] [--reverse] [--top FILE] [--seed N]\n"
    "          navigate STEP... (open:NAME click:NAME back forward home up tag:TAG goto:PLACE fav:PLACE favs)\n"
    "          search [--sfx] [--area N] [--mood LIST] [--tempo LIST] [--aggressive] [--background] [--imaging]\n"
    "                 [--style LIST] [--exact] [--epoch LIST] [--key N] [--bpm-in TEXT] [--bpm-out TEXT]\n"
    "                 [--preset N] [--sort order|popular|length|tempo] [--reverse]\n"
    "          fetch URL FOLDER [--name NAME] [--delete-small]\n"
    "          update-info URL | version-newer LOCAL REMOTE\n"
    "          related TRACKCODE tempo|key|both|harmonic | title WORD [--within CODE,...] | local | lucky [--seed N]\n"
    "          top FILE [--sort ...] [--reverse] | similar CDCODE | like TRACKCODE [--top N]\n"
    "          set read FILE | set write IN OUT | set m3u FILE | set optimise FILE | set total FILE\n"
    "          set from-clipboard-text FILE | set drop PATH...\n"
    "          words N | roubles N | passport TRACKCODE --out FILE\n"
    "          contract --number N [--date YYYY-MM-DD] [--report-date YYYY-MM-DD] --kind legal|ip|person\n"
    "                   --field NAME=VALUE... [--quota Q] [--price P] [--login L --password P]\n"
    "                   --source set:FILE|codes:CODE,... --out DIR\n"
    "          export KIND [--set FILE] [--input FILE] [--prices FILE] [--trends FILE] [--playlists FILE]\n"
    "                 [--out FILE]\n"
    "          account show LOGIN | quota --login L --password P\n"
    "          download --login L --password P --to DIR [--copy-to-library] [--again] CODE...\n"
    "          demo-download --to DIR CODE...\n"
    "          scan DIR [--types cpr,npr,vip,veg,acd] [--other .ses] [--exclude TEXT] [--wav-only]\n"
    "          report --kind 0|1|2 --set FILE [--columns 0,1,...] [--quarter Q --year Y] [--row-names] [--seed N]\n"
    "          waveform FILE [--points N]\n";

namespace {

constexpr std::string_view kNoUsage = "";
constexpr std::string_view kFetchUsage = "usage: trakvella-cli fetch URL FOLDER [--name NAME] [--delete-small]\n";
constexpr std::string_view kUpdateUsage = "usage: trakvella-cli update-info URL | version-newer LOCAL REMOTE\n";
constexpr std::string_view kDocumentsUsage =
    "usage: trakvella-cli words N | roubles N\n"
    "       trakvella-cli contract --number N [--date YYYY-MM-DD] [--report-date YYYY-MM-DD] --kind legal|ip|person\n"
    "                     --field NAME=VALUE... [--quota Q] [--price P] [--login L (--password-stdin | --password P)]\n"
    "                     --source set:FILE|codes:CODE,... --out DIR\n"
    "       trakvella-cli passport TRACKCODE --out FILE\n";
constexpr std::string_view kSubscriptionUsage =
    "usage: trakvella-cli account show LOGIN\n"
    "       trakvella-cli quota --login L (--password-stdin | --password P)\n"
    "       trakvella-cli download --login L (--password-stdin | --password P) --to DIR [--copy-to-library] [--again]\n"
    "                     CODE...\n"
    "       (--password-stdin reads the password from the first line of standard input; --password shows it to\n"
    "       every local user in the process list)\n"
    "       trakvella-cli demo-download --to DIR CODE...\n";

constexpr std::string_view kWaveformUsage = "usage: trakvella-cli waveform FILE [--points N]\n";

constexpr bool kCatalogue = true, kNoCatalogue = false;
constexpr bool kValue = true;
// fetch takes "-x" for an option too, passport a lone "--"; a lone "-" is an argument to both.
constexpr OptionWords kFetchOptionWords{"-", 2};
constexpr OptionWords kPassportOptionWords{"--", 2};
constexpr UnknownText kForCommand = UnknownText::OptionForCommand;

// Adding a command: write its handler (int CommandX(const CommandContext&, const Arguments&)), declare it
// in Commands.h, add its row here and its line to kProgramUsage and to the command table of docs/CLI.md.
// A row: name, whether the catalogue is loaded first, how its arguments are read (Options.h: the options
// and whether each takes a value, which words are options, the number of arguments), the handler, and
// the usage printed after a wrong use. The handler checks the values; a wrong one throws UsageError.
const std::vector<Command> kCommands = {
    {"info", kCatalogue, {.options = {}, .unknown = kForCommand, .maxArguments = 0}, CommandInfo, kProgramUsage},
    {"cd",
     kCatalogue,
     {.options = {}, .unknown = kForCommand, .minArguments = 1, .maxArguments = 1},
     CommandCd,
     kProgramUsage},
    {"track",
     kCatalogue,
     {.options = {}, .unknown = kForCommand, .minArguments = 1, .maxArguments = 1},
     CommandTrack,
     kProgramUsage},
    {"tree",
     kCatalogue,
     {.options = {{"--new-first", kValue}}, .unknown = kForCommand, .maxArguments = 1},
     CommandTree,
     kProgramUsage},
    {"tags", kCatalogue, {.options = {}, .unknown = kForCommand, .maxArguments = 0}, CommandTags, kProgramUsage},
    {"tracks",
     kCatalogue,
     {.options = {{"--sort", kValue}, {"--reverse"}, {"--top", kValue}, {"--seed", kValue}},
      .unknown = kForCommand,
      .minArguments = 1,
      .maxArguments = 1},
     CommandTracks,
     kProgramUsage},
    {"navigate",
     kCatalogue,
     {.options = {}, .unknown = kForCommand, .minArguments = 1},
     CommandNavigate,
     kProgramUsage},
    {"search",
     kCatalogue,
     {.options = {{"--sfx"},
                  {"--area", kValue},
                  {"--mood", kValue},
                  {"--tempo", kValue},
                  {"--aggressive"},
                  {"--background"},
                  {"--imaging"},
                  {"--style", kValue},
                  {"--exact"},
                  {"--epoch", kValue},
                  {"--key", kValue},
                  {"--bpm-in", kValue},
                  {"--bpm-out", kValue},
                  {"--preset", kValue},
                  {"--sort", kValue},
                  {"--reverse"}},
      .optionWords = kEveryWord,
      .unknown = kForCommand},
     CommandSearch,
     kNoUsage},
    {"related",
     kCatalogue,
     {.options = {}, .optionWords = kEveryWord, .leading = 2, .minArguments = 2},
     CommandRelated,
     kNoUsage},
    {"title",
     kCatalogue,
     {.options = {{"--within", kValue}}, .optionWords = kEveryWord, .leading = 1, .minArguments = 1},
     CommandTitle,
     kNoUsage},
    {"local", kCatalogue, {.options = {}, .optionWords = kEveryWord}, CommandLocal, kNoUsage},
    {"lucky", kCatalogue, {.options = {{"--seed", kValue}}, .optionWords = kEveryWord}, CommandLucky, kNoUsage},
    {"top",
     kCatalogue,
     {.options = {{"--sort", kValue}, {"--reverse"}}, .optionWords = kEveryWord, .leading = 1, .minArguments = 1},
     CommandTop,
     kNoUsage},
    {"similar",
     kCatalogue,
     {.options = {}, .optionWords = kEveryWord, .leading = 1, .minArguments = 1},
     CommandSimilar,
     kNoUsage},
    {"like",
     kCatalogue,
     {.options = {{"--top", kValue}}, .optionWords = kEveryWord, .leading = 1, .minArguments = 1},
     CommandLike,
     kNoUsage},
    {"set", kCatalogue, {.options = {}, .optionWords = kNoOptions}, CommandSet, kNoUsage},
    {"words", kNoCatalogue, {.options = {}, .optionWords = kNoOptions}, CommandWords, kDocumentsUsage},
    {"roubles", kNoCatalogue, {.options = {}, .optionWords = kNoOptions}, CommandRoubles, kDocumentsUsage},
    {"contract",
     kCatalogue,
     {.options = {{"--number", kValue},
                  {"--date", kValue},
                  {"--report-date", kValue},
                  {"--kind", kValue},
                  {"--field", kValue},
                  {"--quota", kValue},
                  {"--price", kValue},
                  {"--login", kValue},
                  {"--password", kValue},
                  {"--password-stdin"},
                  {"--source", kValue},
                  {"--out", kValue}},
      .optionWords = kEveryWord,
      .unknown = UnknownText::CommandOption,
      .pairs = true},
     CommandContract,
     kDocumentsUsage},
    {"passport",
     kCatalogue,
     {.options = {{"--out", kValue, "--out wants a file"}},
      .optionWords = kPassportOptionWords,
      .unknown = UnknownText::CommandArgument},
     CommandPassport,
     kDocumentsUsage},
    {"export",
     kCatalogue,
     {.options = {{"--set", kValue},
                  {"--input", kValue},
                  {"--prices", kValue},
                  {"--trends", kValue},
                  {"--playlists", kValue},
                  {"--out", kValue}},
      .optionWords = kEveryWord,
      .unknown = kForCommand,
      .leading = 1,
      .checkLeading = CheckExportKind},
     CommandExport,
     kNoUsage},
    {"fetch",
     kNoCatalogue,
     {.options = {{"--name", kValue, "--name wants a file name"}, {"--delete-small"}},
      .optionWords = kFetchOptionWords,
      .unknown = UnknownText::CommandOption},
     CommandFetch,
     kFetchUsage},
    {"update-info", kNoCatalogue, {.options = {}, .optionWords = kNoOptions}, CommandUpdateInfo, kUpdateUsage},
    {"version-newer", kNoCatalogue, {.options = {}, .optionWords = kNoOptions}, CommandVersionNewer, kUpdateUsage},
    {"account", kNoCatalogue, {}, CommandAccount, kSubscriptionUsage},
    {"quota",
     kNoCatalogue,
     {.options = {{"--login", kValue}, {"--password", kValue}, {"--password-stdin"}}},
     CommandQuota,
     kSubscriptionUsage},
    {"download",
     kNoCatalogue,
     {.options = {{"--login", kValue},
                  {"--password", kValue},
                  {"--password-stdin"},
                  {"--to", kValue},
                  {"--copy-to-library"},
                  {"--again"}}},
     CommandDownload,
     kSubscriptionUsage},
    {"demo-download", kCatalogue, {.options = {{"--to", kValue}}}, CommandDemoDownload, kSubscriptionUsage},
    {"scan",
     kNoCatalogue,
     {.options = {{"--types", kValue}, {"--other", kValue}, {"--exclude", kValue}, {"--wav-only"}}},
     CommandScan,
     kNoUsage},
    {"report",
     kCatalogue,
     {.options = {{"--kind", kValue},
                  {"--set", kValue},
                  {"--columns", kValue},
                  {"--quarter", kValue},
                  {"--year", kValue},
                  {"--row-names"},
                  {"--seed", kValue}}},
     CommandReport,
     kNoUsage},
    {"waveform",
     kNoCatalogue,
     {.options = {{"--points", kValue}}, .minArguments = 1, .maxArguments = 1},
     CommandWaveform,
     kWaveformUsage},
};

}  // namespace

const Command* FindCommand(std::string_view name) {
  auto it = std::find_if(kCommands.begin(), kCommands.end(), [&](const Command& c) { return c.name == name; });
  return it == kCommands.end() ? nullptr : &*it;
}

}  // namespace trakvella::cli
