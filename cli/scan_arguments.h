// Turns the command line into RunSettings.
#pragma once

#include "cli/run_settings.h"

namespace stmtpick {

// argv[0] is the tool's name, argv[1] the input path. Options are scanned from the last
// argument back to the first, so the leftmost occurrence of a value option wins.
RunSettings ScanArguments(int argc, const char* const argv[]);

// "/?", "-?", "-h" and "--help" as the first argument ask for the usage text.
bool IsHelpRequest(const char* firstArgument);

}  // namespace stmtpick
