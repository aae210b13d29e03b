#pragma once
// ProcessLauncher: starts an outside program detached from this one, so it
// outlives the program (the update script that restarts it).
#include <string>
#include <vector>

namespace trakvella {

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts program with arguments in workingFolder, in its own session, with
  // no terminal and without waiting for it. False when it could not be started.
  [[nodiscard]] virtual bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                                           const std::string& workingFolder) = 0;
};

}  // namespace trakvella
