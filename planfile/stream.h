// Owned C streams: every stream the tool opens is closed on every path.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace stmtpick {

struct StreamCloser {
  void operator()(std::FILE* stream) const { std::fclose(stream); }
};
using FilePtr = std::unique_ptr<std::FILE, StreamCloser>;

inline FilePtr OpenStream(const std::string& path, const char* mode) {
  return FilePtr(std::fopen(path.c_str(), mode));
}

// Closes the stream now and tells whether everything written reached the file.
inline bool CloseChecked(FilePtr& stream) {
  return std::fclose(stream.release()) == 0;
}

}  // namespace stmtpick
