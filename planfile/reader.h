// Reads a plan file in large blocks: one pass, no system call per record, constant memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "planfile/format.h"

namespace stmtpick {

class PlanReader {
 public:
  // Large enough to hold the longest record field (65535 bytes) in one piece.
  static constexpr std::size_t kBufferSize = 256 * 1024;

  explicit PlanReader(std::FILE* input);

  // Makes up to n bytes contiguous at Data() (n at most kBufferSize) and returns how many
  // are there: fewer than n only at the end of the input or after a read error.
  std::size_t Peek(std::size_t n);
  const unsigned char* Data() const { return buffer_.get() + begin_; }
  void Consume(std::size_t n);
  // Skips up to n bytes and returns how many there were; skipping past the end is no error.
  std::uint64_t Skip(std::uint64_t n);

  // The input offset of Data().
  std::uint64_t Offset() const { return offset_; }
  bool Failed() const { return failed_; }

 private:
  void Fill();

  std::FILE* input_;
  std::unique_ptr<unsigned char[]> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::uint64_t offset_ = 0;
  bool exhausted_ = false;
  bool failed_ = false;
};

enum class HeaderRead { Ok, Short, Error };
HeaderRead ReadHeader(PlanReader& reader, PlanFileHeader* header);

enum class RecordField { Prefix, TrailerLength, TextLength, ExtensionBlock, Text, Trailer };
const char* FieldName(RecordField field);

enum class RecordOutcome {
  Statement,  // a record whose text is at text; written even if its tail is missing
  End,        // the input ended exactly where a record would begin
  Cut,        // the input ended inside a record before its text was whole
  Error,      // a read failed before the end of the input
};

struct RecordRead {
  RecordOutcome outcome = RecordOutcome::End;
  std::uint64_t offset = 0;  // where the record begins
  PlanRecord fields = {};    // valid for Statement, and for Cut past textLength
  const char* text = nullptr;
  // Cut: the field the input ends in. Statement: set when the extension block was
  // short (only possible with an empty text), else the trailer is checked later.
  bool cutShort = false;
  RecordField cutField = RecordField::Prefix;
  std::uint64_t cutAt = 0;   // the input's end offset when cut
  std::size_t fixedBytes = 0;  // how many of the 8 fixed bytes arrived
};

// Reads one record up to and including its text. The text stays valid until the next
// call on the reader; SkipTrailer then moves past the rest of the record.
RecordRead ReadRecord(PlanReader& reader, bool extensionBlock);

// Returns false when the input ended inside the trailer (no error: the next read ends).
bool SkipTrailer(PlanReader& reader, const PlanRecord& fields);

}  // namespace stmtpick
