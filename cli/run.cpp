#include "cli/run.h"

#include "cli/scan_arguments.h"
#include "planfile/extract.h"
#include "planfile/messages.h"
#include "planfile/platform.h"
#include "planfile/repair.h"
#include "planfile/stream.h"

namespace stmtpick {

int RunStmtpick(int argc, const char* const argv[]) {
  if (argc < 2) return Fail(messages::kUsage);
  if (IsHelpRequest(argv[1])) {
    std::fputs(messages::kUsage, stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
  }
  RunSettings settings = ScanArguments(argc, argv);
  if (settings.inputPath.empty()) return Fail(messages::kInvalidInput);
  FilePtr input = OpenStream(settings.inputPath, "rb");
  // Some systems open a folder for reading; it is no plan file all the same.
  if (!input || platform::IsDirectory(input.get())) return Fail(messages::kInvalidInput);
  return settings.repairMode ? RepairHeader(std::move(input), settings)
                             : ExtractStatements(std::move(input), settings);
}

}  // namespace stmtpick
