#include "testing/plan_builder.h"

namespace plantest {

void PutLittle16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutLittle32(std::string& out, std::uint32_t value) {
  PutLittle16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  PutLittle16(out, static_cast<std::uint16_t>(value >> 16));
}

std::string Header(std::uint16_t formatVersion, std::uint16_t headerTail) {
  std::string out("SPY", 4);
  PutLittle16(out, formatVersion);
  PutLittle16(out, headerTail);
  return out;
}

std::string Record(const RecordSpec& spec, bool extensionBlock) {
  std::string out;
  PutLittle32(out, spec.recordPrefix);
  PutLittle16(out, spec.trailerLength);
  PutLittle16(out, static_cast<std::uint16_t>(spec.textLengthField >= 0 ? spec.textLengthField
                                                                         : spec.text.size()));
  if (extensionBlock) out.append(32, '\xEE');
  out.append(spec.text);
  out.append(spec.trailerLength, '\xAB');
  return out;
}

std::string PlanFile(std::uint16_t formatVersion, std::initializer_list<std::string_view> texts,
                     std::uint16_t trailerLength) {
  std::string out = Header(formatVersion);
  for (std::string_view text : texts) {
    RecordSpec spec;
    spec.text = text;
    spec.trailerLength = trailerLength;
    out += Record(spec, formatVersion == 3102);
  }
  return out;
}

}  // namespace plantest
