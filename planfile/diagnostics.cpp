#include "planfile/diagnostics.h"

#include <cinttypes>

namespace stmtpick {

namespace {

unsigned long long Wide(std::uint64_t value) { return static_cast<unsigned long long>(value); }

}  // namespace

void ReportShortHeader(std::FILE* to, std::size_t bytes) {
  std::fprintf(to, "debug: the input holds %llu bytes, fewer than the 8-byte header\n",
               Wide(bytes));
}

void ReportHeader(std::FILE* to, const PlanFileHeader& header) {
  std::fprintf(to,
               "debug: header magic %02X %02X %02X %02X, formatVersion %u, extension block %s, "
               "headerTail %u\n",
               header.magic[0], header.magic[1], header.magic[2], header.magic[3],
               static_cast<unsigned>(header.formatVersion),
               HasExtensionBlock(header) ? "yes" : "no", static_cast<unsigned>(header.headerTail));
}

void ReportRecord(std::FILE* to, const RecordRead& read) {
  switch (read.outcome) {
    case RecordOutcome::End:
      std::fprintf(to, "debug: the input ends at offset %llu\n", Wide(read.offset));
      return;
    case RecordOutcome::Error:
      std::fprintf(to, "debug: reading the record at offset %llu failed\n", Wide(read.offset));
      return;
    case RecordOutcome::Cut:
      if (read.fixedBytes < kRecordFixedSize) {
        std::fprintf(to,
                     "debug: the input ends at offset %llu inside the %s of a record at offset "
                     "%llu: %llu stray bytes after the last whole record\n",
                     Wide(read.cutAt), FieldName(read.cutField), Wide(read.offset),
                     Wide(read.fixedBytes));
        return;
      }
      break;
    case RecordOutcome::Statement:
      break;
  }
  std::fprintf(to,
               "debug: record at offset %llu: recordPrefix 0x%08" PRIX32
               ", trailerLength %u, textLength %u\n",
               Wide(read.offset), read.fields.recordPrefix,
               static_cast<unsigned>(read.fields.trailerLength),
               static_cast<unsigned>(read.fields.textLength));
  if (!read.cutShort) return;
  std::fprintf(to, "debug: the input ends at offset %llu inside the %s of the record at offset %llu%s\n",
               Wide(read.cutAt), FieldName(read.cutField), Wide(read.offset),
               read.outcome == RecordOutcome::Statement
                   ? "; its text is empty, so it is still exported"
                   : "; that record is not exported");
}

void ReportTrailerCut(std::FILE* to, const RecordRead& read, std::uint64_t endOffset) {
  std::fprintf(to,
               "debug: the input ends at offset %llu inside the trailer of the record at offset "
               "%llu; that record is exported\n",
               Wide(endOffset), Wide(read.offset));
}

void ReportCopy(std::FILE* to, std::uint64_t copied, const std::string& outputPath) {
  std::fprintf(to, "debug: copied %llu input bytes after the 8-byte header to %s\n", Wide(copied),
               outputPath.c_str());
}

}  // namespace stmtpick
