#include "testing/plan_builder.h"

namespace plantest {

namespace {

void PutLittle16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutLittle32(std::string& out, std::uint32_t value) {
  PutLittle16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  PutLittle16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::string Header(std::uint16_t formatVersion, std::uint16_t headerTail) {
  std::string out("SPY", 4);
  PutLittle16(out, formatVersion);
  PutLittle16(out, headerTail);
  return out;
}

std::string Record(const RecordParts& parts, bool extensionBlock) {
  std::string out;
  PutLittle32(out, parts.recordPrefix);
  PutLittle16(out, parts.trailerLength);
  PutLittle16(out, static_cast<std::uint16_t>(parts.textLengthField >= 0 ? parts.textLengthField
                                                                         : parts.text.size()));
  if (extensionBlock) out.append(32, '\xEE');
  out.append(parts.text);
  out.append(parts.trailerLength, '\xAB');
  return out;
}

std::string Record(std::string_view text, std::uint16_t trailerLength, bool extensionBlock) {
  RecordParts parts;
  parts.text = text;
  parts.trailerLength = trailerLength;
  return Record(parts, extensionBlock);
}

std::string PlanFile(std::uint16_t formatVersion, std::initializer_list<std::string_view> texts,
                     std::uint16_t trailerLength) {
  std::string out = Header(formatVersion);
  for (std::string_view text : texts) out += Record(text, trailerLength, formatVersion == 3102);
  return out;
}

}  // namespace plantest
