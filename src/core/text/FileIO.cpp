#include "core/text/FileIO.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace trakvella {

bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
  bytes.clear();
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) return false;
  try {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
  } catch (const std::exception&) {
    bytes.clear();
    return false;
  }
}

bool WriteFileReplacing(const std::filesystem::path& file, std::string_view bytes,
                        const std::filesystem::path& temporary) {
  namespace fs = std::filesystem;
  fs::path temp = temporary;
  if (temp.empty()) {
    // In the same folder, so the rename stays on one file system and cannot
    // take a file of the user's.
    std::string name = ".";
    name += file.filename().string();
    name += ".trakvella-";
    name += std::to_string(::getpid());
    name += ".tmp";
    temp = file.parent_path() / name;
  }
  std::error_code ec;
  bool written = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.flush();
      out.close();
      written = !out.fail();
    }
  }
  if (written) {
    fs::rename(temp, file, ec);
    if (!ec) return true;
  }
  // No half-written copy stays (unless the temporary name is taken by
  // something that is not a file).
  if (fs::is_regular_file(temp, ec)) fs::remove(temp, ec);
  return false;
}

}  // namespace trakvella
