// The bundled example: sample.sql is exactly what the tool makes of sample.qpf.
#include <gtest/gtest.h>

#include <string>

#include "testing/files.h"
#include "testing/process.h"

namespace {

TEST(Sample, ScriptMatchesThePlanFile) {
  const std::string samples = STMTPICK_SAMPLE_DIR;
  plantest::TempDir dir;
  plantest::WriteFile(dir / "sample.qpf", plantest::ReadFile(samples + "/sample.qpf"));
  plantest::RunResult run = plantest::RunIn(dir, {"sample.qpf"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, plantest::AsText(plantest::ReadFile(samples + "/sample.sql")));
  EXPECT_EQ(run.err, plantest::AsText("\nDone.  Exported 5 statements.\n"));
}

}  // namespace
