// Every fuzzer seed, and every input the fuzzer ever found failing, replayed through the
// built tool and checked against the model, on every platform the tests run on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/files.h"
#include "testing/fuzz_case.h"
#include "testing/process.h"

namespace {

TEST(FuzzCorpus, EveryInputAgreesWithTheModel) {
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(STMTPICK_CORPUS_DIR)) {
    const std::string bytes = plantest::ReadFile(entry.path().string());
    plantest::FuzzCase fuzzCase;
    if (!plantest::DecodeFuzzInput(reinterpret_cast<const unsigned char*>(bytes.data()),
                                   bytes.size(), &fuzzCase)) {
      continue;
    }
    SCOPED_TRACE(entry.path().filename().string());
    plantest::TempDir dir;
    plantest::WriteFile(dir / "in.qpf", fuzzCase.plan);
    plantest::OutputFile before = plantest::FuzzOutputBefore(fuzzCase);
    if (before.exists) plantest::WriteFile(dir / "out", before.bytes);
    plantest::RunResult run = plantest::RunIn(dir, plantest::FuzzArguments(fuzzCase, "in.qpf", "out"));
    plantest::OutputFile after;
    after.exists = plantest::Exists(dir / "out");
    if (after.exists) after.bytes = plantest::ReadFile(dir / "out");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(plantest::CheckFuzzRun(fuzzCase, run.status, run.err, after), "");
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "no inputs in " << STMTPICK_CORPUS_DIR;
}

}  // namespace
