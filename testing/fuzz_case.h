// One fuzz input as a run of the tool: the first two bytes choose the options, the rest is
// the plan file. Shared by the fuzzer and by the test that replays its corpus.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace plantest {

struct FuzzCase {
  enum class Mode { ExportNew, ExportAppend, Repair, ExportReplace };
  Mode mode = Mode::ExportNew;
  bool debug = false;
  char separator = 0;  // 0: no /s option
  std::string plan;
};

// Fewer than two bytes give no case.
bool DecodeFuzzInput(const unsigned char* data, std::size_t size, FuzzCase* fuzzCase);

// The arguments after the tool's name.
std::vector<std::string> FuzzArguments(const FuzzCase& fuzzCase, const std::string& inputPath,
                                       const std::string& outputPath);

// What the output file holds before the run; empty with exists false for a new file.
struct OutputFile {
  bool exists = false;
  std::string bytes;
};
OutputFile FuzzOutputBefore(const FuzzCase& fuzzCase);

// Compares a finished run with the model; returns what is wrong, or an empty string.
std::string CheckFuzzRun(const FuzzCase& fuzzCase, int status, const std::string& messages,
                         const OutputFile& after);

}  // namespace plantest
