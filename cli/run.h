// The run driver: from the command line to the exit status.
#pragma once

namespace stmtpick {

int RunStmtpick(int argc, const char* const argv[]);

}  // namespace stmtpick
