#include "support/Fakes.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace trakvella::testing {

MessageAnswer FakeDialogs::Message(const std::string& text, MessageKind kind, MessageButtons buttons) {
  shown.push_back({text, kind, buttons});
  if (!answers.empty()) {
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  return AsksYesNo(buttons) ? MessageAnswer::Yes : MessageAnswer::Ok;
}

std::optional<std::string> FakeDialogs::Input(const std::string&, const std::string&, const std::string&) {
  if (inputs.empty()) return std::nullopt;
  auto a = inputs.front();
  inputs.pop_front();
  return a;
}

std::string FakeDialogs::SelectFolder(const std::string&, const std::string&) {
  if (folders.empty()) return {};
  auto a = folders.front();
  folders.pop_front();
  return a;
}

std::string FakeDialogs::SaveFileName(const std::string& title, const std::string&, const std::string& initialPath) {
  fileDialogTitles.push_back(title);
  fileDialogInitialPaths.push_back(initialPath);
  if (fileNames.empty()) return {};
  auto a = fileNames.front();
  fileNames.pop_front();
  return a;
}

std::string FakeDialogs::OpenFileName(const std::string& title, const std::string& filter,
                                      const std::string& initialPath) {
  return SaveFileName(title, filter, initialPath);
}

int FakeDialogs::Choose(const std::string& caption, const std::string& text, const std::vector<std::string>&) {
  chooseCaptions.push_back(caption);
  if (whileChoosing) whileChoosing();
  shown.push_back({text, MessageKind::Confirmation, MessageButtons::YesNoCancel});
  if (choices.empty()) return -1;
  int a = choices.front();
  choices.pop_front();
  return a;
}

std::vector<std::string> FakeDialogs::Texts() const {
  std::vector<std::string> out;
  for (const auto& s : shown) out.push_back(s.text);
  return out;
}

void FakeProgress::ShowProgress(const std::string& text, ProgressMode shown, bool) {
  const int mode = static_cast<int>(shown);
  calls.push_back({text, mode});
  if (mode == 0) visible = false;
  if (mode == 1 || mode == 3) visible = true;
}

void FakeProgress::pump() {
  ++pumps;
  if (cancelAfterPumps >= 0 && pumps >= cancelAfterPumps) cancelled = true;
}

TempDir::TempDir() {
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
  for (int i = 0; i < 100; ++i) {
    auto candidate = base / ("trakvella-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace trakvella::testing
