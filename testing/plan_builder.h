// Builds plan files byte by byte, for tests, the bundled example and the benchmark.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plantest {

std::string Header(std::uint16_t formatVersion = 3101, std::uint16_t headerTail = 1);

struct RecordParts {
  std::string_view text;
  std::uint16_t trailerLength = 0;
  std::uint32_t recordPrefix = 0x12345678;
  // Written as textLength when set; otherwise the text's own length.
  int textLengthField = -1;
};

// One record; extensionBlock adds the 32 bytes of the 3102 layout (filled with 0xEE).
// The trailer is filled with 0xAB, never with a text-like byte.
std::string Record(const RecordParts& parts, bool extensionBlock);
// The common case: a text and its trailer length, with the default prefix.
std::string Record(std::string_view text, std::uint16_t trailerLength = 0,
                   bool extensionBlock = false);

// A whole file of one record per text, each with the given trailer length.
std::string PlanFile(std::uint16_t formatVersion, std::initializer_list<std::string_view> texts,
                     std::uint16_t trailerLength = 0);

}  // namespace plantest
