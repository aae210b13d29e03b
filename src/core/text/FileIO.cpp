#include "core/text/FileIO.h"

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

}  // namespace trakvella
