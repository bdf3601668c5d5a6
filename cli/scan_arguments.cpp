#include "cli/scan_arguments.h"

#include <cstring>

#include "planfile/platform.h"

namespace stmtpick {

namespace {

bool IsOption(const char* argument, bool first) {
  if (argument[0] == '-') return true;
  return argument[0] == '/' && (!first || platform::kSlashOptionInFirstArgument);
}

void ApplyOption(const char* option, RunSettings& settings) {
  // option[0] is the slash or hyphen; option[1] the letter, matched in lower case only.
  switch (option[1]) {
    case 'e':
      settings.outputPath = option + 2;
      break;
    case 'f':
      settings.repairMode = true;
      settings.outputPath = option + 2;
      break;
    case 'a':
      settings.appendMode = true;
      break;
    case 'd':
      settings.debugMode = true;
      break;
    case 's':
      if (option[2] != '\0') settings.separator = option[2];
      break;
    default:
      break;
  }
}

}  // namespace

RunSettings ScanArguments(int argc, const char* const argv[]) {
  RunSettings settings;
  if (argc < 2) return settings;
  settings.inputPath = argv[1];
  for (int i = argc - 1; i >= 1; --i) {
    if (IsOption(argv[i], i == 1)) ApplyOption(argv[i], settings);
  }
  return settings;
}

bool IsHelpRequest(const char* firstArgument) {
  for (const char* help : {"/?", "-?", "-h", "--help"}) {
    if (std::strcmp(firstArgument, help) == 0) return true;
  }
  return false;
}

}  // namespace stmtpick
