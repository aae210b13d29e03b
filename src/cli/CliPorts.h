#pragma once
// CliPorts: every adapter trakvella-cli's commands reach the system through, built once by main and
// handed to the command (program/DesktopPorts.h is the windows' counterpart). Message boxes are not among
// them: each command answers their questions its own way (StderrDialogs in CliOutput.h), and a command
// that draws random numbers seeds its own generator from --seed.
#include "adapters/CurlFtpClient.h"
#include "adapters/CurlHttpClient.h"
#include "adapters/FreedesktopTrash.h"
#include "adapters/LibarchiveReader.h"
#include "adapters/SndfilePeakDecoder.h"
#include "adapters/ZlibInflater.h"
#include "ports/Progress.h"
#include "ports/Shell.h"

namespace trakvella::cli {

// The command line opens nothing on the desktop: there is no file manager or browser to show a result in.
class NoShell : public Shell {
 public:
  bool OpenUrl(const std::string&) override { return false; }
  bool OpenFile(const std::string&) override { return false; }
  bool RevealFile(const std::string&) override { return false; }
  bool Run(const std::string&, const std::vector<std::string>&) override { return false; }
};

struct CliPorts {
  CurlHttpClient http;
  // The subscription's download server, its RAR archives and the files it discards.
  CurlFtpClient ftp;
  LibarchiveReader archives;
  FreedesktopTrash trash;
  // Gzip-compressed project files of the folder scan.
  ZlibInflater inflater;
  // The waveform's audio files.
  SndfilePeakDecoder peaks;
  NoShell shell;
  // Long work shows no progress: the output comes when it is done.
  SilentProgress progress;
};

}  // namespace trakvella::cli
