// Writes the SQL script: one numbered block per statement, closed by the separator line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace stmtpick {

// Plain decimal, no leading zeros or spaces; the same on every C runtime.
std::string FormatDecimal(std::int64_t value);

// Writes "// Statement N\n", the text up to its first zero byte, "\n", the separator and
// "\n". The text is data, never a format. Returns false when a write failed.
bool WriteStatementBlock(std::FILE* script, std::int64_t number, const char* text,
                         std::size_t length, char separator);

}  // namespace stmtpick
