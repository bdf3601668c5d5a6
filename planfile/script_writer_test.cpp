#include "planfile/script_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "planfile/stream.h"
#include "testing/files.h"
#include "testing/process.h"

namespace stmtpick {
namespace {

std::string Block(std::int64_t number, const std::string& text, char separator) {
  plantest::TempDir dir;
  std::string path = dir / "script.sql";
  FilePtr script = OpenStream(path, "w");
  EXPECT_TRUE(WriteStatementBlock(script.get(), number, text.data(), text.size(), separator));
  EXPECT_TRUE(CloseChecked(script));
  return plantest::ReadFile(path);
}

TEST(WriteStatementBlock, Format) {
  const struct {
    std::int64_t number;
    std::string text;
    char separator;
    std::string block;
  } cases[] = {
      {1, "SELECT 1", ';', "// Statement 1\nSELECT 1\n;\n"},
      {10, "", ';', "// Statement 10\n\n;\n"},
      {4294967296LL, "x", 'G', "// Statement 4294967296\nx\nG\n"},
      // A text is data: percent signs and backslashes pass unchanged.
      {7, "LIKE '%d%s%n' \\n", ';', "// Statement 7\nLIKE '%d%s%n' \\n\n;\n"},
      // Only the bytes before the first zero byte are written.
      {2, std::string("SELECT\0hidden", 13), ';', "// Statement 2\nSELECT\n;\n"},
      {3, std::string("\0\0\0", 3), '#', "// Statement 3\n\n#\n"},
      {5, "a\nb\r\nc\x1A\xFF", '/', "// Statement 5\na\nb\r\nc\x1A\xFF\n/\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Block(c.number, c.text, c.separator), plantest::AsText(c.block))
        << testing::PrintToString(c.text);
  }
}

TEST(WriteStatementBlock, LongestTextWhole) {
  std::string text(65535, 'q');
  EXPECT_EQ(Block(1, text, ';'), plantest::AsText("// Statement 1\n" + text + "\n;\n"));
}

TEST(FormatDecimal, PlainDigits) {
  EXPECT_EQ(FormatDecimal(0), "0");
  EXPECT_EQ(FormatDecimal(9), "9");
  EXPECT_EQ(FormatDecimal(100), "100");
  EXPECT_EQ(FormatDecimal(9223372036854775807LL), "9223372036854775807");
  EXPECT_EQ(FormatDecimal(-9223372036854775807LL - 1), "-9223372036854775808");
}

}  // namespace
}  // namespace stmtpick
