#include "planfile/format.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/plan_builder.h"

namespace stmtpick {
namespace {

PlanFileHeader HeaderOf(const std::string& bytes) {
  return ParseHeader(reinterpret_cast<const unsigned char*>(bytes.data()));
}

TEST(Format, RecognisesTheMagicAlone) {
  const struct {
    std::string bytes;
    bool recognised;
  } cases[] = {
      {std::string("SPY\0\x1D\x0C\x01\x00", 8), true},
      {std::string("SPY\0\xFF\xFF\xFF\xFF", 8), true},
      {std::string("SPY\0\0\0\0\0", 8), true},
      {std::string("SPYX\x1D\x0C\x01\x00", 8), false},
      {std::string("spy\0\x1D\x0C\x01\x00", 8), false},
      {std::string("SPZ\0\x1D\x0C\x01\x00", 8), false},
      {std::string("\0PY\0\x1D\x0C\x01\x00", 8), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsPlanFileHeader(HeaderOf(c.bytes)), c.recognised) << testing::PrintToString(c.bytes);
  }
}

TEST(Format, OnlyVersion3102HasTheExtensionBlock) {
  for (unsigned version : {0u, 3100u, 3101u, 3103u, 65535u}) {
    EXPECT_FALSE(HasExtensionBlock(HeaderOf(plantest::Header(static_cast<std::uint16_t>(version)))))
        << version;
  }
  EXPECT_TRUE(HasExtensionBlock(HeaderOf(plantest::Header(3102))));
}

TEST(Format, FieldsAreLittleEndian) {
  PlanFileHeader header = HeaderOf(plantest::Header(0x0C1E, 0xBEEF));
  EXPECT_EQ(header.formatVersion, 3102);
  EXPECT_EQ(header.headerTail, 0xBEEF);
  const unsigned char record[8] = {0x78, 0x56, 0x34, 0x12, 0x02, 0x01, 0xFF, 0xFF};
  PlanRecord fields = ParseRecordFields(record);
  EXPECT_EQ(fields.recordPrefix, 0x12345678u);
  EXPECT_EQ(fields.trailerLength, 0x0102);
  EXPECT_EQ(fields.textLength, 0xFFFF);
}

TEST(Format, StandardHeaderIsARecognisedPlainHeader) {
  PlanFileHeader header = ParseHeader(STANDARD_HEADER);
  EXPECT_TRUE(IsPlanFileHeader(header));
  EXPECT_EQ(header.formatVersion, 3101);
  EXPECT_EQ(header.headerTail, 1);
}

}  // namespace
}  // namespace stmtpick
