// A second, deliberately naive reading of the plan file format: what the tool must print
// for a file, worked out byte by byte. Tests and the fuzzer compare the tool against it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plantest {

struct ModelResult {
  int status = 0;
  std::string script;    // with bare line feeds
  std::string messages;  // standard error, with bare line feeds
  std::int64_t count = 0;
};

ModelResult ModelExtraction(std::string_view file, char separator = ';');

}  // namespace plantest
