#include "core/startup/UpdateScript.h"

#include "core/text/FileIO.h"

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
  const fs::path archive = fs::absolute(s.archive).lexically_normal();
  std::string program = Quoted(fs::absolute(s.programFile).lexically_normal().string());
  for (const auto& argument : s.restartArguments) {
    program += ' ';
    program += Quoted(argument);
  }

  const std::string pause = std::to_string(s.pauseSeconds > 0 ? s.pauseSeconds : 0);
  std::vector<std::string> lines = {
      "# pause for " + pause + " sec: the program ends meanwhile",
      "sleep " + pause,
      "folder=" + Quoted(folder.string()),
      "update=" + Quoted(update.string()),
      "new=.tvupdate-new.$$",
      "old=.tvupdate-old.$$",
      "# put NAME: update/NAME copied beside NAME (mode kept) and renamed over it;",
      "# the file it replaces stays as NAME$old until every file is in place",
      "put() {",
      "  [ -f \"$update/$1\" ] && [ ! -L \"$update/$1\" ] || return 1",
      "  if [ -d \"$folder/$1\" ] && [ ! -L \"$folder/$1\" ]; then return 1; fi",
      "  case $1 in */*) mkdir -p -- \"$folder/${1%/*}\" || return 1 ;; esac",
      "  rm -f -- \"$folder/$1$new\" \"$folder/$1$old\"",
      "  cp -p -- \"$update/$1\" \"$folder/$1$new\" || { rm -f -- \"$folder/$1$new\"; return 1; }",
      "  if [ -e \"$folder/$1\" ] || [ -L \"$folder/$1\" ]; then",
      "    ln -- \"$folder/$1\" \"$folder/$1$old\" 2>/dev/null || cp -p -- \"$folder/$1\" \"$folder/$1$old\" ||",
      "      { rm -f -- \"$folder/$1$new\" \"$folder/$1$old\"; return 1; }",
      "  fi",
      "  mv -f -- \"$folder/$1$new\" \"$folder/$1\" || { rm -f -- \"$folder/$1$new\" \"$folder/$1$old\"; return 1; }",
      "}",
      "# back NAME: the file NAME replaced in its place again (none: NAME removed)",
      "back() {",
      "  if [ -e \"$folder/$1$old\" ] || [ -L \"$folder/$1$old\" ]; then",
      "    mv -f -- \"$folder/$1$old\" \"$folder/$1\"",
      "  else",
      "    rm -f -- \"$folder/$1\"",
      "  fi",
      "}",
      "placed=0",
  };
  const size_t count = s.files.size();
  for (size_t i = 0; i < count; ++i) {
    const std::string step = std::to_string(i + 1);
    lines.push_back("[ $placed = " + std::to_string(i) + " ] && put " + Quoted(s.files[i]) + " && placed=" + step);
  }
  lines.push_back("if [ $placed = " + std::to_string(count) + " ]; then");
  for (const std::string& file : s.files) lines.push_back("  rm -f -- \"$folder\"/" + Quoted(file) + "\"$old\"");
  lines.push_back("  rm -f -- " + Quoted(archive.string()));
  lines.push_back("  rmdir -- " + Quoted(archive.parent_path().string()) + " 2>/dev/null");
  lines.push_back("  rm -rf -- \"$update\"");
  lines.push_back("else");
  lines.push_back("  # a step failed: every file replaced goes back; the update stays for another try");
  for (size_t i = count; i-- > 0;)
    lines.push_back("  [ $placed -gt " + std::to_string(i) + " ] && back " + Quoted(s.files[i]));
  lines.push_back("  :");
  lines.push_back("fi");
  lines.push_back(program + " </dev/null >/dev/null 2>&1 &");
  lines.push_back("rm -f -- " + Quoted(self.string()));

  std::string text = "#!/bin/sh\n";
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

fs::path WriteUpdateScript(const UpdateScript& script) {
  const fs::path file = fs::absolute(script.programFolder).lexically_normal() / kUpdateScriptName;
  // Written whole or not at all, never through a link planted at a temporary
  // name, and executable.
  WriteOptions options;
  options.executable = true;
  return WriteFileReplacing(file, UpdateScriptText(script), options).ok() ? file : fs::path();
}

bool StartUpdateScript(ProcessLauncher& launcher, const fs::path& scriptFile, const fs::path& programFolder) {
  return launcher.StartDetached("/bin/sh", {scriptFile.string()}, programFolder.string());
}

}  // namespace trakvella
