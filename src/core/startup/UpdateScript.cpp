#include "core/startup/UpdateScript.h"

#include <fstream>

namespace trakvella {

namespace fs = std::filesystem;

namespace {

// A word the shell takes literally: in single quotes, each ' written '\''.
std::string Quoted(const std::string& word) {
  std::string out = "'";
  for (char c : word) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  out += '\'';
  return out;
}

}  // namespace

std::string UpdateScriptText(const UpdateScript& s) {
  const fs::path folder = fs::absolute(s.programFolder).lexically_normal();
  const fs::path update = folder / kUpdateFolderName;
  const fs::path self = folder / kUpdateScriptName;
  std::string program = Quoted(fs::absolute(s.programFile).lexically_normal().string());
  for (const auto& argument : s.restartArguments) {
    program += ' ';
    program += Quoted(argument);
  }

  const std::string pause = std::to_string(s.pauseSeconds > 0 ? s.pauseSeconds : 0);
  std::string text = "#!/bin/sh\n";
  for (const std::string& line : std::vector<std::string>{
           "# pause for " + pause + " sec: the program ends meanwhile",
           "sleep " + pause,
           "if cp -R -f -- " + Quoted((update / ".").string()) + " " + Quoted((folder / "").string()) + "; then",
           "  rm -f -- " + Quoted(fs::absolute(s.archive).lexically_normal().string()),
           "  rm -rf -- " + Quoted(update.string()),
           std::string("fi"),
           program + " </dev/null >/dev/null 2>&1 &",
           "rm -f -- " + Quoted(self.string()),
       }) {
    text += line;
    text += '\n';
  }
  return text;
}

fs::path WriteUpdateScript(const UpdateScript& script) {
  const fs::path file = fs::absolute(script.programFolder).lexically_normal() / kUpdateScriptName;
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << UpdateScriptText(script);
    out.close();
    if (!out) return {};
  }
  std::error_code ec;
  fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec, fs::perm_options::replace,
                  ec);
  return ec ? fs::path() : file;
}

bool StartUpdateScript(ProcessLauncher& launcher, const fs::path& scriptFile, const fs::path& programFolder) {
  return launcher.StartDetached("/bin/sh", {scriptFile.string()}, programFolder.string());
}

}  // namespace trakvella
