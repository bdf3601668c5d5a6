#include "testing/fuzz_case.h"

#include <algorithm>

#include "testing/plan_model.h"
#include "testing/process.h"

namespace plantest {

bool DecodeFuzzInput(const unsigned char* data, std::size_t size, FuzzCase* fuzzCase) {
  if (size < 2) return false;
  fuzzCase->mode = static_cast<FuzzCase::Mode>(data[0] & 3);
  fuzzCase->debug = (data[0] & 4) != 0;
  fuzzCase->separator = static_cast<char>(data[1]);
  fuzzCase->plan.assign(reinterpret_cast<const char*>(data) + 2, size - 2);
  return true;
}

std::vector<std::string> FuzzArguments(const FuzzCase& fuzzCase, const std::string& inputPath,
                                       const std::string& outputPath) {
  std::vector<std::string> args{inputPath};
  args.push_back((fuzzCase.mode == FuzzCase::Mode::Repair ? "/f" : "/e") + outputPath);
  if (fuzzCase.separator != 0) args.push_back(std::string("/s") + fuzzCase.separator);
  if (fuzzCase.mode == FuzzCase::Mode::ExportAppend) args.push_back("/a");
  if (fuzzCase.debug) args.push_back("/d");
  return args;
}

OutputFile FuzzOutputBefore(const FuzzCase& fuzzCase) {
  if (fuzzCase.mode == FuzzCase::Mode::ExportNew) return {};
  return {true, "-- an older script\n"};
}

namespace {

// The /d lines come first; what follows them must be the usual messages.
std::string WithoutDebugLines(std::string messages) {
  while (messages.compare(0, 7, "debug: ") == 0) {
    std::size_t end = messages.find('\n');
    messages.erase(0, end == std::string::npos ? messages.size() : end + 1);
  }
  return messages;
}

std::string Mismatch(const char* what, const std::string& expected, const std::string& actual) {
  return std::string(what) + ": expected " + std::to_string(expected.size()) + " bytes, got " +
         std::to_string(actual.size()) + " (first difference at " +
         std::to_string(std::mismatch(expected.begin(), expected.end(), actual.begin(),
                                      actual.end()).first - expected.begin()) + ")";
}

}  // namespace

std::string CheckFuzzRun(const FuzzCase& fuzzCase, int status, const std::string& messages,
                         const OutputFile& after) {
  const std::string usual = WithoutDebugLines(messages);
  if (!fuzzCase.debug && usual != messages) return "debug lines without /d";
  if (fuzzCase.mode == FuzzCase::Mode::Repair) {
    if (status != 0) return "repair status " + std::to_string(status);
    if (!usual.empty()) return "repair wrote a message";
    std::string expected = std::string("SPY\0\x1D\x0C\x01\x00", 8) + fuzzCase.plan;
    if (!after.exists || after.bytes != expected) return Mismatch("repaired file", expected, after.bytes);
    return "";
  }
  ModelResult model = ModelExtraction(fuzzCase.plan, fuzzCase.separator ? fuzzCase.separator : ';');
  if (status != model.status) {
    return "status " + std::to_string(status) + ", expected " + std::to_string(model.status);
  }
  if (usual != AsText(model.messages)) return Mismatch("messages", AsText(model.messages), usual);
  OutputFile before = FuzzOutputBefore(fuzzCase);
  OutputFile expected = before;
  if (model.status == 0) {
    expected.exists = true;
    expected.bytes = (fuzzCase.mode == FuzzCase::Mode::ExportAppend ? before.bytes : "") +
                     AsText(model.script);
  }
  if (after.exists != expected.exists) return after.exists ? "export file created" : "no export file";
  if (after.bytes != expected.bytes) return Mismatch("export file", expected.bytes, after.bytes);
  return "";
}

}  // namespace plantest
