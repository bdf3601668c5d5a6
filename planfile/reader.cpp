#include "planfile/reader.h"

#include <cstring>

namespace stmtpick {

PlanReader::PlanReader(std::FILE* input)
    : input_(input), buffer_(new unsigned char[kBufferSize]) {
  // The reader does its own buffering; a second stdio buffer would only copy twice.
  std::setvbuf(input_, nullptr, _IONBF, 0);
}

void PlanReader::Fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  while (!exhausted_ && end_ < kBufferSize) {
    std::size_t got = std::fread(buffer_.get() + end_, 1, kBufferSize - end_, input_);
    end_ += got;
    if (got == 0 || std::feof(input_) || std::ferror(input_)) {
      exhausted_ = true;
      failed_ = std::ferror(input_) != 0;
    }
  }
}

std::size_t PlanReader::Peek(std::size_t n) {
  if (end_ - begin_ < n && !exhausted_) Fill();
  std::size_t have = end_ - begin_;
  return have < n ? have : n;
}

void PlanReader::Consume(std::size_t n) {
  begin_ += n;
  offset_ += n;
}

std::uint64_t PlanReader::Skip(std::uint64_t n) {
  std::uint64_t skipped = 0;
  while (skipped < n) {
    std::uint64_t want = n - skipped;
    std::size_t have = Peek(want < kBufferSize ? static_cast<std::size_t>(want) : kBufferSize);
    if (have == 0) break;
    Consume(have);
    skipped += have;
  }
  return skipped;
}

HeaderRead ReadHeader(PlanReader& reader, PlanFileHeader* header) {
  std::size_t got = reader.Peek(kHeaderSize);
  if (reader.Failed()) return HeaderRead::Error;
  if (got < kHeaderSize) return HeaderRead::Short;
  *header = ParseHeader(reader.Data());
  reader.Consume(kHeaderSize);
  return HeaderRead::Ok;
}

const char* FieldName(RecordField field) {
  switch (field) {
    case RecordField::Prefix: return "recordPrefix";
    case RecordField::TrailerLength: return "trailerLength";
    case RecordField::TextLength: return "textLength";
    case RecordField::ExtensionBlock: return "extensionBlock";
    case RecordField::Text: return "statementText";
    case RecordField::Trailer: return "trailer";
  }
  return "?";
}

namespace {

RecordRead CutAt(RecordRead read, RecordField field, const PlanReader& reader) {
  read.outcome = reader.Failed() ? RecordOutcome::Error : RecordOutcome::Cut;
  read.cutShort = true;
  read.cutField = field;
  read.cutAt = reader.Offset();
  return read;
}

}  // namespace

RecordRead ReadRecord(PlanReader& reader, bool extensionBlock) {
  RecordRead read;
  read.offset = reader.Offset();
  std::size_t got = reader.Peek(kRecordFixedSize);
  read.fixedBytes = got;
  if (got < kRecordFixedSize) {
    reader.Consume(got);
    if (reader.Failed()) return CutAt(read, RecordField::Prefix, reader);
    if (got == 0) return read;  // End
    RecordField field = got < 4 ? RecordField::Prefix
                        : got < 6 ? RecordField::TrailerLength
                                  : RecordField::TextLength;
    return CutAt(read, field, reader);
  }
  read.fields = ParseRecordFields(reader.Data());
  reader.Consume(kRecordFixedSize);

  if (extensionBlock && reader.Skip(kExtensionBlockSize) < kExtensionBlockSize) {
    // An empty text needs no bytes, so such a record still counts.
    if (read.fields.textLength > 0 || reader.Failed()) {
      return CutAt(read, RecordField::ExtensionBlock, reader);
    }
    read.cutShort = true;
    read.cutField = RecordField::ExtensionBlock;
    read.cutAt = reader.Offset();
  }

  std::size_t length = read.fields.textLength;
  std::size_t have = reader.Peek(length);
  if (have < length) {
    reader.Consume(have);
    return CutAt(read, RecordField::Text, reader);
  }
  read.text = reinterpret_cast<const char*>(reader.Data());
  reader.Consume(length);
  read.outcome = RecordOutcome::Statement;
  return read;
}

bool SkipTrailer(PlanReader& reader, const PlanRecord& fields) {
  return reader.Skip(fields.trailerLength) == fields.trailerLength;
}

}  // namespace stmtpick
