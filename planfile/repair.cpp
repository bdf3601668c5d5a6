#include "planfile/repair.h"

#include <cstdint>
#include <memory>

#include "planfile/diagnostics.h"
#include "planfile/format.h"
#include "planfile/messages.h"
#include "planfile/platform.h"

namespace stmtpick {

namespace {

constexpr std::size_t kCopyBlock = 1024 * 1024;

enum class CopyEnd { Done, ReadFailed, WriteFailed };

// Large blocks, one read and one write each: as fast as cat here (a kernel copy was slower).
CopyEnd CopyWithHeader(std::FILE* input, std::FILE* output, std::uint64_t* copied) {
  std::setvbuf(input, nullptr, _IONBF, 0);
  std::setvbuf(output, nullptr, _IONBF, 0);
  if (std::fwrite(STANDARD_HEADER, 1, kHeaderSize, output) != kHeaderSize) {
    return CopyEnd::WriteFailed;
  }
  std::unique_ptr<unsigned char[]> block(new unsigned char[kCopyBlock]);
  for (;;) {
    std::size_t got = std::fread(block.get(), 1, kCopyBlock, input);
    *copied += got;
    if (got > 0 && std::fwrite(block.get(), 1, got, output) != got) return CopyEnd::WriteFailed;
    if (std::ferror(input)) return CopyEnd::ReadFailed;
    if (got < kCopyBlock) return CopyEnd::Done;
  }
}

}  // namespace

int RepairHeader(FilePtr input, const RunSettings& settings) {
  if (settings.outputPath.empty()) return Fail(messages::kMissingOutput);
  if (platform::PathIsFileOf(settings.outputPath, input.get())) {
    return Fail(messages::kOutputIsInput);
  }
  FilePtr output = OpenStream(settings.outputPath, "wb");
  if (!output) return Fail(messages::kCannotCreateOutput);

  std::uint64_t copied = 0;
  CopyEnd end = CopyWithHeader(input.get(), output.get(), &copied);
  // Only a regular file is ours to remove: never a device such as /dev/full.
  bool removable = platform::IsRegularFile(output.get());
  bool closed = CloseChecked(output);
  if (settings.debugMode) ReportCopy(stderr, copied, settings.outputPath);

  const char* failure = end == CopyEnd::ReadFailed                 ? messages::kCannotReadInput
                        : end == CopyEnd::WriteFailed || !closed ? messages::kCannotWriteOutput
                                                                 : nullptr;
  if (!failure) return 0;
  if (removable) std::remove(settings.outputPath.c_str());
  return Fail(failure);
}

}  // namespace stmtpick
