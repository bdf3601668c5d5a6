// libFuzzer target: one input is a few option bytes and a plan file. It runs the tool's own
// driver in this process on files in a private folder and checks the outcome against the
// model. Run it with -close_fd_mask=2: the tool's messages are then captured from fd 2,
// while libFuzzer and the sanitizers report on a descriptor of their own.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/run.h"
#include "testing/files.h"
#include "testing/fuzz_case.h"

namespace {

std::string folder;

void Require(bool ok, const char* what) {
  if (!ok) {
    std::perror(what);
    std::abort();
  }
}

std::string ReadCaptured() {
  std::fflush(stderr);
  return plantest::ReadFile(folder + "/messages.txt");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char name[] = "/tmp/stmtpick-fuzz-XXXXXX";
  Require(mkdtemp(name) != nullptr, "mkdtemp");
  folder = name;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plantest::FuzzCase fuzzCase;
  if (!plantest::DecodeFuzzInput(data, size, &fuzzCase)) return 0;
  const std::string input = folder + "/in.qpf";
  const std::string output = folder + "/out";
  plantest::WriteFile(input, fuzzCase.plan);
  plantest::OutputFile before = plantest::FuzzOutputBefore(fuzzCase);
  std::remove(output.c_str());
  if (before.exists) plantest::WriteFile(output, before.bytes);

  int messages = open((folder + "/messages.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  Require(messages >= 0 && dup2(messages, 2) == 2 && close(messages) == 0, "capture");

  std::vector<std::string> args = plantest::FuzzArguments(fuzzCase, input, output);
  std::vector<const char*> argv{"stmtpick"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  int status = stmtpick::RunStmtpick(static_cast<int>(argv.size()), argv.data());

  plantest::OutputFile after;
  after.exists = plantest::Exists(output);
  if (after.exists) after.bytes = plantest::ReadFile(output);
  std::string problem = plantest::CheckFuzzRun(fuzzCase, status, ReadCaptured(), after);
  if (!problem.empty()) {
    std::fprintf(stdout, "stmtpick fuzz check failed: %s\n", problem.c_str());
    std::fflush(stdout);
    std::abort();
  }
  return 0;
}
