#include "support/RtfReaders.h"

#include <cstdlib>
#include <stdexcept>

#include "core/text/Text.h"
#include "support/Fakes.h"

namespace trakvella::testing {
namespace {

std::string Quoted(const std::filesystem::path& p) {
  std::string out = "'";
  for (char c : p.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// unrtf's own text tags, plus a form for the characters its text output
// otherwise cuts to one byte.
const std::filesystem::path& UnrtfConfig() {
  static TempDir folder;
  static const bool made = [] {
    for (const auto& entry : std::filesystem::directory_iterator("/usr/share/unrtf"))
      std::filesystem::copy_file(entry.path(), folder.path() / entry.path().filename());
    std::string text = ReadFile(folder.path() / "text.conf");
    WriteFile(folder.path() / "text.conf", text + "\nunisymbol_print\n\t&#%;\n");
    return true;
  }();
  (void)made;
  return folder.path();
}

std::string DecodeReferences(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "&#") == 0) {
      const size_t end = text.find(';', i);
      long long code = 0;
      if (end != std::string::npos && ParseInt(text.substr(i + 2, end - i - 2), code) && code > 0) {
        AppendChar(out, static_cast<char32_t>(code));
        i = end;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace

std::string UnrtfText(const std::filesystem::path& rtf) {
  TempDir out;
  const std::string command = "unrtf -P " + Quoted(UnrtfConfig()) + " --text " + Quoted(rtf) + " > " +
                              Quoted(out.path() / "out.txt") + " 2> " + Quoted(out.path() / "err.txt");
  if (std::system(command.c_str()) != 0)
    throw std::runtime_error("unrtf failed on " + rtf.string() + ": " + ReadFile(out.path() / "err.txt"));
  return DecodeReferences(ReadFile(out.path() / "out.txt"));
}

std::vector<std::string> LibreOfficeTexts(const std::vector<std::filesystem::path>& rtfFiles) {
  TempDir work;
  std::string command = "soffice -env:UserInstallation=file://" + (work.path() / "profile").string() +
                        " --headless --convert-to 'txt:Text (encoded):UTF8' --outdir " + Quoted(work.path() / "out");
  for (const auto& f : rtfFiles) {
    command += ' ';
    command += Quoted(f);
  }
  command += " > " + Quoted(work.path() / "log.txt") + " 2>&1";
  const int status = std::system(command.c_str());
  std::vector<std::string> texts;
  for (const auto& f : rtfFiles) {
    const auto txt = work.path() / "out" / f.filename().replace_extension(".txt");
    if (status != 0 || !std::filesystem::exists(txt))
      throw std::runtime_error("LibreOffice did not convert " + f.string() + ": " + ReadFile(work.path() / "log.txt"));
    std::string text = ReadFile(txt);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    texts.push_back(text);
  }
  return texts;
}

bool InOrder(const std::string& text, const std::vector<std::string>& parts) {
  size_t at = 0;
  for (const auto& part : parts) {
    at = text.find(part, at);
    if (at == std::string::npos) return false;
    at += part.size();
  }
  return true;
}

}  // namespace trakvella::testing
