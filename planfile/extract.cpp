#include "planfile/extract.h"

#include <cstdint>

#include "planfile/diagnostics.h"
#include "planfile/format.h"
#include "planfile/messages.h"
#include "planfile/platform.h"
#include "planfile/reader.h"
#include "planfile/script_writer.h"

namespace stmtpick {

namespace {

// Static, because standard output keeps its buffer until the process ends.
char scriptBuffer[256 * 1024];
char diagnosticsBuffer[64 * 1024];

enum class LoopEnd { InputEnded, ReadFailed, WriteFailed };

// diagnostics is null unless the /d option asked for a line per record.
LoopEnd ExportRecords(PlanReader& reader, bool extensionBlock, std::FILE* script,
                      char separator, std::FILE* diagnostics, std::int64_t* count) {
  for (;;) {
    RecordRead read = ReadRecord(reader, extensionBlock);
    if (diagnostics) ReportRecord(diagnostics, read);
    if (read.outcome == RecordOutcome::Error) return LoopEnd::ReadFailed;
    if (read.outcome != RecordOutcome::Statement) return LoopEnd::InputEnded;
    ++*count;
    if (!WriteStatementBlock(script, *count, read.text, read.fields.textLength, separator)) {
      return LoopEnd::WriteFailed;
    }
    if (!SkipTrailer(reader, read.fields) && diagnostics) {
      ReportTrailerCut(diagnostics, read, reader.Offset());
    }
  }
}

}  // namespace

int ExtractStatements(FilePtr input, const RunSettings& settings) {
  const bool toFile = !settings.outputPath.empty();
  if (toFile ? platform::PathIsFileOf(settings.outputPath, input.get())
             : platform::SameFile(stdout, input.get())) {
    return Fail(messages::kOutputIsInput);
  }

  std::FILE* diagnostics = nullptr;
  if (settings.debugMode) {
    // A line per record would otherwise be a write per record.
    diagnostics = stderr;
    std::setvbuf(diagnostics, diagnosticsBuffer, _IOFBF, sizeof diagnosticsBuffer);
  }

  PlanReader reader(input.get());
  PlanFileHeader header;
  switch (ReadHeader(reader, &header)) {
    case HeaderRead::Error: return Fail(messages::kCannotReadInput);
    case HeaderRead::Short:
      if (diagnostics) ReportShortHeader(diagnostics, reader.Peek(kHeaderSize));
      return Fail(messages::kShortHeader);
    case HeaderRead::Ok: break;
  }
  if (diagnostics) ReportHeader(diagnostics, header);
  if (!IsPlanFileHeader(header)) return Fail(messages::kNotPlanFile);

  // Only now that the input is known to be a plan file may an export file be emptied.
  FilePtr exportFile;
  std::FILE* script = stdout;
  if (toFile) {
    exportFile = OpenStream(settings.outputPath, settings.appendMode ? "a" : "w");
    if (!exportFile) return Fail(messages::kCannotOpenExport);
    script = exportFile.get();
  }
  std::setvbuf(script, scriptBuffer, _IOFBF, sizeof scriptBuffer);

  std::int64_t count = 0;
  LoopEnd end = ExportRecords(reader, HasExtensionBlock(header), script, settings.separator,
                              diagnostics, &count);
  bool written = end != LoopEnd::WriteFailed && std::fflush(script) == 0 && !std::ferror(script);
  if (exportFile) written = CloseChecked(exportFile) && written;
  if (!written) return Fail(messages::kCannotWriteScript);
  if (end == LoopEnd::ReadFailed) return Fail(messages::kCannotReadInput);

  std::string summary = messages::kDoneBefore + FormatDecimal(count) + messages::kDoneAfter;
  std::fputs(summary.c_str(), stderr);
  return 0;
}

}  // namespace stmtpick
