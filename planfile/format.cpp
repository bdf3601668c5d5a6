#include "planfile/format.h"

#include <cstring>

namespace stmtpick {

PlanFileHeader ParseHeader(const unsigned char bytes[kHeaderSize]) {
  PlanFileHeader header;
  std::memcpy(header.magic, bytes, sizeof header.magic);
  header.formatVersion = ReadLittle16(bytes + 4);
  header.headerTail = ReadLittle16(bytes + 6);
  return header;
}

PlanRecord ParseRecordFields(const unsigned char bytes[kRecordFixedSize]) {
  return PlanRecord{ReadLittle32(bytes), ReadLittle16(bytes + 4), ReadLittle16(bytes + 6)};
}

bool IsPlanFileHeader(const PlanFileHeader& header) {
  return std::memcmp(header.magic, kMagic, sizeof kMagic) == 0;
}

bool HasExtensionBlock(const PlanFileHeader& header) {
  return header.formatVersion == kVersionExtended;
}

}  // namespace stmtpick
