#pragma once
// PosixProcessLauncher: the ProcessLauncher port over fork/exec. The started
// program runs in its own session, its output goes to /dev/null, and nothing
// of it is kept by this process.
#include "ports/ProcessLauncher.h"

namespace trakvella {

class PosixProcessLauncher : public ProcessLauncher {
 public:
  bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingFolder) override;
};

}  // namespace trakvella
