#include "core/app/PreviewPeaks.h"

#include <system_error>

#include "core/player/Waveform.h"
#include "core/text/Text.h"
#include "ports/HttpClient.h"

namespace trakvella {
namespace {

bool IsWebAddress(const std::string& address) {
  return StartsWithLowerCase(address, "http://") || StartsWithLowerCase(address, "https://");
}

// The demo's name on the server: the address's last part, without a query; empty when it has none
// or it is no plain file name.
std::string DemoNameOf(const std::string& address) {
  std::string path = address.substr(0, address.find_first_of("?#"));
  const size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? std::string() : path.substr(slash + 1);
  if (name.empty() || name == "." || name == ".." || name.find('\\') != std::string::npos) return {};
  return name;
}

// Fetches the demo into `file` through a file of its own beside it, renamed only when whole.
Status FetchDemo(HttpClient& http, const std::string& address, const std::filesystem::path& file,
                 std::stop_token stop) {
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  const std::filesystem::path part = file.string() + ".peaks-part";
  std::filesystem::remove(part, ec);
  HttpRequest request;
  request.url = address;
  request.bodyFile = part;
  request.maxBytes = int64_t{1} << 30;
  request.onBlock = [&stop](std::string_view, int64_t) { return !stop.stop_requested(); };
  request.onWait = [&stop] { return !stop.stop_requested(); };
  const HttpResult result = http.Get(request);
  if (!result.status.ok()) {
    std::filesystem::remove(part, ec);
    return result.status;
  }
  std::filesystem::rename(part, file, ec);
  if (ec) {
    std::filesystem::remove(part, ec);
    return Status::IOError(file.string(), ec.message());
  }
  return Status::OK();
}

}  // namespace

std::filesystem::path PeakFileOf(const std::filesystem::path& programFolder, const std::string& address) {
  if (!IsWebAddress(address)) return address;
  const std::string name = DemoNameOf(address);
  // Beside the peaks cache, not in "audio": a catalogue load would take a file there for the track's own.
  return name.empty() ? std::filesystem::path() : programFolder / "peaks" / "demos" / name;
}

Result<Peaks> LoadPreviewPeaks(const PreviewPeaksSource& source, const std::string& address, std::size_t points,
                               std::stop_token stop) {
  const std::filesystem::path file = PeakFileOf(source.programFolder, address);
  if (!source.decoder || file.empty() || points == 0) return Status::Unsupported(address);
  std::error_code ec;
  if (IsWebAddress(address) && !std::filesystem::exists(file, ec)) {
    if (!source.http) return Status::Unsupported(address);
    const Status fetched = FetchDemo(*source.http, address, file, stop);
    if (!fetched.ok()) return fetched;
  }
  if (stop.stop_requested()) return Status::Aborted(address);
  const Waveform waveform(*source.decoder, source.programFolder);
  return waveform.Load(file, points, PeakPrecision::Nearest, stop);
}

}  // namespace trakvella
