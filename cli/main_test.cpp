// The run driver as a process: usage, the input path, and which mode runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "planfile/messages.h"
#include "testing/files.h"
#include "testing/plan_builder.h"
#include "testing/process.h"

namespace {

using plantest::AsText;
using plantest::Exists;
using plantest::ReadFile;
using plantest::RunIn;
using plantest::TempDir;
using plantest::WriteFile;

const std::string kPlan = plantest::PlanFile(3101, {"SELECT 1"});
const std::string kScript = AsText("// Statement 1\nSELECT 1\n;\n");
const std::string kDone = AsText("\nDone.  Exported 1 statements.\n");
const std::string kInvalid = AsText("\nInvalid Input File!\n");

TEST(Main, NoArgumentsPrintsUsageToStandardError) {
  TempDir dir;
  plantest::RunResult run = RunIn(dir, {});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, AsText(stmtpick::messages::kUsage));
}

TEST(Main, HelpPrintsUsageToStandardOutput) {
  TempDir dir;
  for (const char* help : {"/?", "-?", "-h", "--help"}) {
    plantest::RunResult run = RunIn(dir, {help, "/eout.sql"});
    EXPECT_EQ(run.status, 0) << help;
    EXPECT_EQ(run.out, AsText(stmtpick::messages::kUsage)) << help;
    EXPECT_EQ(run.err, "") << help;
  }
  EXPECT_FALSE(Exists(dir / "out.sql"));
}

TEST(Main, InputThatCannotBeRead) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder");
  const std::vector<std::vector<std::string>> runs = {
      {"", "/eout.sql"},
      {"missing.qpf", "/eout.sql"},
      {"missing.qpf", "/fnew.qpf"},
      {"folder", "/eout.sql"},
      {"folder", "/fnew.qpf"},
  };
  for (const auto& args : runs) {
    plantest::RunResult run = RunIn(dir, args);
    EXPECT_EQ(run.status, 1) << args[0];
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, kInvalid) << args[0];
  }
  EXPECT_FALSE(Exists(dir / "out.sql"));
  EXPECT_FALSE(Exists(dir / "new.qpf"));
}

// A runtime that expanded wildcards would turn *.qpf into plans.qpf and succeed.
TEST(Main, WildcardsReachTheToolAsTyped) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kPlan);
  for (const char* pattern : {"*.qpf", "plan?.qpf", "*"}) {
    plantest::RunResult run = RunIn(dir, {pattern});
    EXPECT_EQ(run.status, 1) << pattern;
    EXPECT_EQ(run.err, kInvalid) << pattern;
  }
  plantest::RunResult run = RunIn(dir, {"plans.qpf", "/e*.sql"});
  EXPECT_EQ(run.status, plantest::kWindows ? 1 : 0);
  if (!plantest::kWindows) {
    EXPECT_EQ(ReadFile(dir / "*.sql"), kScript);
  }
}

TEST(Main, UpperCaseLettersAndPlainWordsAreIgnored) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kPlan);
  plantest::RunResult run = RunIn(dir, {"plans.qpf", "/E", "out.sql", "/F", "/D"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kScript);
  EXPECT_EQ(run.err, kDone);
  EXPECT_FALSE(Exists(dir / "out.sql"));
}

TEST(Main, LeftmostOutputOptionChoosesTheFile) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kPlan);
  EXPECT_EQ(RunIn(dir, {"plans.qpf", "/eout.sql", "/ewrong.sql"}).status, 0);
  EXPECT_EQ(ReadFile(dir / "out.sql"), kScript);
  EXPECT_FALSE(Exists(dir / "wrong.sql"));
  // An empty leftmost value means standard output.
  plantest::RunResult run = RunIn(dir, {"plans.qpf", "/e", "/eother.sql"});
  EXPECT_EQ(run.out, kScript);
  EXPECT_FALSE(Exists(dir / "other.sql"));
}

TEST(Main, FirstArgumentIsAlwaysTheInput) {
  TempDir dir;
  WriteFile(dir / "-a.qpf", kPlan);
  WriteFile(dir / "-", kPlan);
  for (const char* name : {"-a.qpf", "-"}) {
    plantest::RunResult run = RunIn(dir, {name});
    EXPECT_EQ(run.status, 0) << name;
    EXPECT_EQ(run.out, kScript) << name;
  }
  // Also scanned as an option: -eout.sql is the input, and out.sql the export file.
  WriteFile(dir / "-eout.sql", kPlan);
  plantest::RunResult run = RunIn(dir, {"-eout.sql"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadFile(dir / "out.sql"), kScript);
  EXPECT_EQ(ReadFile(dir / "-eout.sql"), kPlan);
}

TEST(Main, AbsolutePathAsFirstArgumentIsNoOption) {
  // /tmp/.../srv.qpf must not be read as the options /t... or /s...
  if (plantest::kWindows) GTEST_SKIP() << "Windows paths do not begin with a slash";
  TempDir dir;
  WriteFile(dir / "srv.qpf", kPlan);
  plantest::RunResult run = RunIn(dir, {dir / "srv.qpf"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kScript);
  EXPECT_EQ(run.err, kDone);
}

TEST(Main, LongPathsAreUsedWhole) {
  TempDir dir;
  std::string folder(200, 'd');
  std::filesystem::create_directory(dir.path() / folder);
  std::string input = folder + "/" + std::string(100, 'i') + ".qpf";
  std::string output = folder + "/" + std::string(100, 'o') + ".sql";
  WriteFile(dir / input, kPlan);
  plantest::RunResult run = RunIn(dir, {input, "/e" + output});
  if (run.status == 1 && run.err == kInvalid && plantest::kWindows) {
    GTEST_SKIP() << "this file system refuses paths of over 260 characters";
  }
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadFile(dir / output), kScript);
}

}  // namespace
