// What one run of the tool does, as the command line says.
#pragma once

#include <string>

namespace stmtpick {

struct RunSettings {
  std::string inputPath;
  std::string outputPath;  // export file, or the repair's output; empty means none
  bool appendMode = false;
  bool repairMode = false;
  bool debugMode = false;
  char separator = ';';
};

}  // namespace stmtpick
