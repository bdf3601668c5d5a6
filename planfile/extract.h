// The tool's main work: every statement of a plan file as a numbered block of a SQL script.
#pragma once

#include "cli/run_settings.h"
#include "planfile/stream.h"

namespace stmtpick {

// Writes the script to settings.outputPath (replaced, or appended to with appendMode) or to
// standard output, then the summary to standard error. Returns the exit status: 0 when
// every record was exported, 1 after a message. Closes the input and any export file.
int ExtractStatements(FilePtr input, const RunSettings& settings);

}  // namespace stmtpick
