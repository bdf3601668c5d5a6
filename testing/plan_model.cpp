#include "testing/plan_model.h"

namespace plantest {

namespace {

unsigned Little16(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

}  // namespace

ModelResult ModelExtraction(std::string_view file, char separator) {
  ModelResult result;
  if (file.size() < 8) {
    result.status = 1;
    result.messages = "\nUnable to read file header.\n";
    return result;
  }
  if (file.substr(0, 4) != std::string_view("SPY\0", 4)) {
    result.status = 1;
    result.messages = "\nFile does not appear to be a Query Plan Viewer file.\n";
    return result;
  }
  const bool extended = Little16(file, 4) == 3102;
  std::size_t at = 8;
  while (at + 8 <= file.size()) {
    std::size_t trailer = Little16(file, at + 4);
    std::size_t length = Little16(file, at + 6);
    at += 8;
    if (extended) {
      if (at + 32 > file.size() && length > 0) break;
      at = at + 32 > file.size() ? file.size() : at + 32;
    }
    if (at + length > file.size()) break;
    std::string_view text = file.substr(at, length);
    text = text.substr(0, text.find('\0'));
    ++result.count;
    result.script += "// Statement " + std::to_string(result.count) + "\n";
    result.script.append(text.data(), text.size());
    result.script += std::string("\n") + separator + "\n";
    at += length + trailer;
  }
  result.messages = "\nDone.  Exported " + std::to_string(result.count) + " statements.\n";
  return result;
}

}  // namespace plantest
