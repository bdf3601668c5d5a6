// Layout of a query plan file: an 8-byte header, then records back to back.
#pragma once

#include <cstddef>
#include <cstdint>

namespace stmtpick {

constexpr std::size_t kHeaderSize = 8;
constexpr unsigned char kMagic[4] = {'S', 'P', 'Y', 0};
constexpr std::uint16_t kVersionExtended = 3102;
constexpr std::size_t kExtensionBlockSize = 32;
// recordPrefix (4), trailerLength (2), textLength (2).
constexpr std::size_t kRecordFixedSize = 8;

// The header the repair writes: magic, formatVersion 3101, headerTail 1.
constexpr unsigned char STANDARD_HEADER[kHeaderSize] = {0x53, 0x50, 0x59, 0x00,
                                                       0x1D, 0x0C, 0x01, 0x00};

struct PlanFileHeader {
  unsigned char magic[4];
  std::uint16_t formatVersion;
  std::uint16_t headerTail;
};

struct PlanRecord {
  std::uint32_t recordPrefix;
  std::uint16_t trailerLength;
  std::uint16_t textLength;
};

inline std::uint16_t ReadLittle16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t ReadLittle32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

PlanFileHeader ParseHeader(const unsigned char bytes[kHeaderSize]);
PlanRecord ParseRecordFields(const unsigned char bytes[kRecordFixedSize]);

// True when the header starts with "SPY" and a zero byte; the other bytes play no part.
bool IsPlanFileHeader(const PlanFileHeader& header);

// Only the 3102 layout puts a 32-byte extension block after textLength.
bool HasExtensionBlock(const PlanFileHeader& header);

}  // namespace stmtpick
