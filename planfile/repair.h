// Rescues a plan file with a damaged header: a standard header, then the whole old file.
#pragma once

#include "cli/run_settings.h"
#include "planfile/stream.h"

namespace stmtpick {

// Writes STANDARD_HEADER and every input byte from the first one to settings.outputPath.
// Returns 0, or 1 after a message; an incomplete regular output file is removed.
int RepairHeader(FilePtr input, const RunSettings& settings);

}  // namespace stmtpick
