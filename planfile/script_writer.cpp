#include "planfile/script_writer.h"

#include <cstring>

namespace stmtpick {

namespace {

// Writes the digits of value ending just before end and returns where they begin.
char* PutDecimal(std::int64_t value, char* end) {
  // Negate in unsigned arithmetic, so that the smallest value has a magnitude too.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                      : static_cast<std::uint64_t>(value);
  char* p = end;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  return p;
}

constexpr char kBlockStart[] = "// Statement ";

}  // namespace

std::string FormatDecimal(std::int64_t value) {
  char digits[24];
  char* end = digits + sizeof digits;
  return std::string(PutDecimal(value, end), end);
}

bool WriteStatementBlock(std::FILE* script, std::int64_t number, const char* text,
                         std::size_t length, char separator) {
  constexpr std::size_t kStartLength = sizeof kBlockStart - 1;
  char line[kStartLength + 24];
  std::memcpy(line, kBlockStart, kStartLength);
  char digits[22];
  char* digitsEnd = digits + sizeof digits;
  char* first = PutDecimal(number, digitsEnd);
  std::size_t count = static_cast<std::size_t>(digitsEnd - first);
  std::memcpy(line + kStartLength, first, count);
  line[kStartLength + count] = '\n';
  std::size_t lineLength = kStartLength + count + 1;

  const void* zero = std::memchr(text, 0, length);
  std::size_t textLength = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text)
                                : length;
  const char tail[3] = {'\n', separator, '\n'};
  return std::fwrite(line, 1, lineLength, script) == lineLength &&
         std::fwrite(text, 1, textLength, script) == textLength &&
         std::fwrite(tail, 1, sizeof tail, script) == sizeof tail;
}

}  // namespace stmtpick
