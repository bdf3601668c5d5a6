#include "planfile/reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "planfile/stream.h"
#include "testing/files.h"
#include "testing/plan_builder.h"

namespace stmtpick {
namespace {

struct Scan {
  HeaderRead header = HeaderRead::Short;
  std::vector<std::string> texts;  // each up to textLength, zero bytes included
  std::vector<std::uint64_t> offsets;
  RecordRead last;
};

Scan ReadAll(const std::string& bytes) {
  plantest::TempDir dir;
  plantest::WriteFile(dir / "plan.qpf", bytes);
  FilePtr input = OpenStream(dir / "plan.qpf", "rb");
  PlanReader reader(input.get());
  Scan scan;
  PlanFileHeader header;
  scan.header = ReadHeader(reader, &header);
  if (scan.header != HeaderRead::Ok) return scan;
  for (;;) {
    RecordRead read = ReadRecord(reader, HasExtensionBlock(header));
    if (read.outcome != RecordOutcome::Statement) {
      scan.last = read;
      return scan;
    }
    scan.texts.emplace_back(read.text, read.fields.textLength);
    scan.offsets.push_back(read.offset);
    SkipTrailer(reader, read.fields);
  }
}

struct Fixture {
  std::string bytes;
  std::vector<std::size_t> starts;  // where each record begins
  std::vector<std::string> texts;
};

Fixture Build(std::uint16_t version) {
  const bool extended = version == 3102;
  Fixture f;
  f.bytes = plantest::Header(version);
  const std::string texts[] = {"SELECT 1", "", "x", std::string("SELECT\0z", 8), ""};
  const std::uint16_t trailers[] = {3, 0, 5, 2, 4};
  for (int i = 0; i < 5; ++i) {
    f.starts.push_back(f.bytes.size());
    f.texts.push_back(texts[i]);
    f.bytes += plantest::Record(texts[i], trailers[i], extended);
  }
  return f;
}

// Every cut of the file gives the records whose text is whole, and an empty text in the
// 3102 layout needs only the fixed fields: the extension block may be missing.
TEST(ReadRecord, EveryCutOfBothLayouts) {
  for (std::uint16_t version : {3101, 3102}) {
    Fixture f = Build(version);
    const std::size_t block = version == 3102 ? 32 : 0;
    for (std::size_t length = 0; length <= f.bytes.size(); ++length) {
      SCOPED_TRACE("version " + std::to_string(version) + ", cut at " + std::to_string(length));
      Scan scan = ReadAll(f.bytes.substr(0, length));
      if (length < 8) {
        EXPECT_EQ(scan.header, HeaderRead::Short);
        continue;
      }
      std::vector<std::string> expected;
      for (std::size_t i = 0; i < f.texts.size(); ++i) {
        std::size_t needed = f.starts[i] + 8 + (f.texts[i].empty() ? 0 : block + f.texts[i].size());
        if (length >= needed) expected.push_back(f.texts[i]);
      }
      EXPECT_EQ(scan.texts, expected);
      // Inside fixed fields or a text the read is cut; inside a trailer, or an empty
      // text's extension block, the record counts and the next read finds the end.
      RecordOutcome outcome = RecordOutcome::End;
      for (std::size_t i = 0; i < f.starts.size(); ++i) {
        if (length <= f.starts[i]) break;
        std::size_t inside = length - f.starts[i];
        std::size_t textEnd = 8 + block + f.texts[i].size();
        bool cut = inside < 8 || (inside < textEnd && !f.texts[i].empty());
        outcome = cut ? RecordOutcome::Cut : RecordOutcome::End;
      }
      EXPECT_EQ(scan.last.outcome, outcome);
    }
  }
}

TEST(ReadRecord, TextStartsAfterTheFixedFieldsOrTheBlock) {
  for (std::uint16_t version : {3101, 3102}) {
    Fixture f = Build(version);
    Scan scan = ReadAll(f.bytes);
    EXPECT_EQ(scan.texts, f.texts);
    std::vector<std::uint64_t> starts(f.starts.begin(), f.starts.end());
    EXPECT_EQ(scan.offsets, starts);
  }
}

TEST(ReadRecord, CutInsideAFieldNamesIt) {
  Fixture f = Build(3102);
  const struct {
    std::size_t extra;
    RecordField field;
  } cases[] = {{1, RecordField::Prefix}, {5, RecordField::TrailerLength},
               {7, RecordField::TextLength}, {8 + 31, RecordField::ExtensionBlock},
               {8 + 32 + 3, RecordField::Text}};
  for (const auto& c : cases) {
    Scan scan = ReadAll(f.bytes.substr(0, 8 + c.extra));
    EXPECT_EQ(scan.last.outcome, RecordOutcome::Cut) << c.extra;
    EXPECT_EQ(scan.last.cutField, c.field) << c.extra;
    EXPECT_EQ(scan.last.cutAt, 8 + c.extra);
  }
}

// Records that straddle the reader's buffer, long texts and a trailer past the end.
TEST(ReadRecord, LargeFilesAndLongTexts) {
  std::string bytes = plantest::Header(3101);
  std::vector<std::string> texts;
  for (int i = 0; i < 3000; ++i) {
    texts.push_back("SELECT " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 300), 'v'));
  }
  for (std::size_t length : {64999u, 65000u, 65535u}) texts.push_back(std::string(length, 'L'));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    bytes += plantest::Record(texts[i], static_cast<std::uint16_t>(i * 37 % 400), false);
  }
  plantest::RecordParts last;
  last.text = "the end";
  last.trailerLength = 65535;
  bytes += plantest::Record(last, false).substr(0, 8 + 7 + 10);
  texts.push_back("the end");

  Scan scan = ReadAll(bytes);
  EXPECT_EQ(scan.texts, texts);
  EXPECT_EQ(scan.last.outcome, RecordOutcome::End);
  EXPECT_EQ(scan.last.offset, bytes.size());
}

TEST(ReadRecord, DeclaredTextLongerThanTheFile) {
  plantest::RecordParts parts;
  parts.text = "short";
  parts.textLengthField = 65535;
  Scan scan = ReadAll(plantest::Header(3101) + plantest::Record(parts, false));
  EXPECT_TRUE(scan.texts.empty());
  EXPECT_EQ(scan.last.outcome, RecordOutcome::Cut);
  EXPECT_EQ(scan.last.cutField, RecordField::Text);
}

}  // namespace
}  // namespace stmtpick
