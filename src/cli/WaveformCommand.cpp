// trakvella-cli waveform: the peaks the position bar draws for an audio file, through the program
// folder's cache of them. Prints points=, frames= and peak=MIN,MAX per point; exits with 1 when the
// file cannot be read or holds no audio the program decodes.
#include <iostream>
#include <string>

#include "cli/CliPorts.h"
#include "cli/Commands.h"
#include "core/player/Waveform.h"
#include "core/text/Text.h"

namespace trakvella::cli {

int CommandWaveform(const CommandContext& context, const Arguments& args) {
  long long points = 1000;
  if (args.has("--points") &&
      (!ParseInt(args.value("--points"), points) || points < 1 || points > static_cast<long long>(kMaxPeakPoints)))
    throw UsageError{"--points wants a number from 1 to " + std::to_string(kMaxPeakPoints)};
  const std::string& file = args.words().front();

  const Waveform waveform(context.ports.peaks, context.programFolder);
  const Result<Peaks> peaks = waveform.Load(file, static_cast<std::size_t>(points), PeakPrecision::Exact);
  if (!peaks.ok()) {
    const Status status = peaks.status();
    std::cerr << "trakvella-cli: "
              << (status.IsUnsupported() ? file + ": no audio this program can decode" : status.message()) << '\n';
    return 1;
  }
  std::string out =
      "points=" + std::to_string(peaks->points.size()) + "\nframes=" + std::to_string(peaks->frames) + '\n';
  for (const PeakPoint& point : peaks->points)
    out += "peak=" + std::to_string(point.min) + ',' + std::to_string(point.max) + '\n';
  std::cout << out;
  return 0;
}

}  // namespace trakvella::cli
