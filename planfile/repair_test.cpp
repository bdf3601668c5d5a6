// The header repair as a process: the new file, the failures, and the round trip.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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

const std::string kStandardHeader("SPY\0\x1D\x0C\x01\x00", 8);

TEST(Repair, NewHeaderThenEveryInputByte) {
  std::string binary;
  for (int i = 0; i < 256; ++i) binary.push_back(static_cast<char>(i));
  std::string large(3 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
  const std::string inputs[] = {
      "", "x", binary + "\r\n\n\x1A", plantest::PlanFile(3102, {"SELECT 1"}), large,
  };
  for (const std::string& input : inputs) {
    TempDir dir;
    WriteFile(dir / "damaged.qpf", input);
    WriteFile(dir / "fixed.qpf", "an older, longer file that must be replaced entirely");
    plantest::RunResult run = RunIn(dir, {"damaged.qpf", "/ffixed.qpf", "/a", "/s#"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(ReadFile(dir / "fixed.qpf") == kStandardHeader + input) << input.size() << " bytes";
    EXPECT_EQ(ReadFile(dir / "damaged.qpf"), input);
  }
}

TEST(Repair, OutputOptionsShareTheLeftmostRule) {
  TempDir dir;
  WriteFile(dir / "in.qpf", "abc");
  EXPECT_EQ(RunIn(dir, {"in.qpf", "/eout.qpf", "/f"}).status, 0);
  EXPECT_EQ(ReadFile(dir / "out.qpf"), kStandardHeader + "abc");
  EXPECT_EQ(RunIn(dir, {"in.qpf", "/fnew.qpf", "/eother.qpf"}).status, 0);
  EXPECT_EQ(ReadFile(dir / "new.qpf"), kStandardHeader + "abc");
  EXPECT_FALSE(Exists(dir / "other.qpf"));
}

TEST(Repair, RepairedFileIsReadFromTheOldFirstByte) {
  // The damaged file's first 8 bytes become the first record's fixed fields:
  // prefix "BAD!", trailerLength 2, textLength 3.
  std::string damaged = std::string("BAD!\x02\x00\x03\x00", 8) + "ONEtt";
  damaged += plantest::Record("SELECT 2", 0, false);
  TempDir dir;
  WriteFile(dir / "damaged.qpf", damaged);
  plantest::RunResult before = RunIn(dir, {"damaged.qpf"});
  EXPECT_EQ(before.status, 1);
  EXPECT_EQ(before.err, AsText("\nFile does not appear to be a Query Plan Viewer file.\n"));

  ASSERT_EQ(RunIn(dir, {"damaged.qpf", "/ffixed.qpf"}).status, 0);
  plantest::RunResult after = RunIn(dir, {"fixed.qpf"});
  EXPECT_EQ(after.status, 0);
  EXPECT_EQ(after.out, AsText("// Statement 1\nONE\n;\n// Statement 2\nSELECT 2\n;\n"));
  EXPECT_EQ(after.err, AsText("\nDone.  Exported 2 statements.\n"));
}

TEST(Repair, FailuresAreReportedAndNothingIsLost) {
  TempDir dir;
  const std::string input = plantest::PlanFile(3101, {"SELECT 1"});
  WriteFile(dir / "in.qpf", input);
  std::filesystem::create_directory(dir.path() / "folder");
  std::filesystem::create_directory(dir.path() / "sub");
  std::filesystem::create_hard_link(dir.path() / "in.qpf", dir.path() / "hard.qpf");
  const std::string same = AsText("\nThe output file is the input file!\n");
  const std::string create = AsText("\nUnable to create output file!\n");
  std::vector<std::pair<std::vector<std::string>, std::string>> runs = {
      {{"in.qpf", "/f"}, AsText("\nMissing Output File!\n")},
      {{"in.qpf", "/f", "/enot-this.qpf"}, AsText("\nMissing Output File!\n")},
      {{"in.qpf", "/fin.qpf"}, same},
      {{"in.qpf", "/f./in.qpf"}, same},
      {{"in.qpf", "/fsub/../in.qpf"}, same},
      {{"in.qpf", "/fhard.qpf"}, same},
      {{"in.qpf", "/f" + (dir / "in.qpf")}, same},
      {{"in.qpf", "/fmissing/new.qpf"}, create},
      {{"in.qpf", "/ffolder"}, create},
  };
  // Through a symbolic link: Extract.OutputIsTheInputThroughASymbolicLink.
  for (const auto& [args, message] : runs) {
    plantest::RunResult run = RunIn(dir, args);
    EXPECT_EQ(run.status, 1) << args[1];
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, message) << args[1];
    EXPECT_EQ(ReadFile(dir / "in.qpf"), input) << args[1];
  }
  EXPECT_FALSE(Exists(dir / "not-this.qpf"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder"));
}

TEST(Repair, DebugReportsTheBytesCopied) {
  TempDir dir;
  WriteFile(dir / "in.qpf", std::string(1000, 'z'));
  plantest::RunResult run = RunIn(dir, {"in.qpf", "/ffixed.qpf", "/d"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, AsText("debug: copied 1000 input bytes after the 8-byte header to fixed.qpf\n"));
  EXPECT_EQ(ReadFile(dir / "fixed.qpf").size(), 1008u);
}

TEST(Repair, FullDiskIsReportedAndTheDeviceStays) {
  if (plantest::kWindows) GTEST_SKIP() << "Windows has no /dev/full";
  TempDir dir;
  WriteFile(dir / "in.qpf", std::string(100000, 'z'));
  plantest::RunResult run = RunIn(dir, {"in.qpf", "/f/dev/full"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "\nUnable to write output file!\n");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(Repair, ReadErrorRemovesTheIncompleteOutput) {
  if (plantest::kWindows) GTEST_SKIP() << "Windows has no /proc/self/mem";
  TempDir dir;
  plantest::RunResult run = RunIn(dir, {"/proc/self/mem", "/fnew.qpf"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "\nUnable to read input file!\n");
  EXPECT_FALSE(Exists(dir / "new.qpf"));
}

}  // namespace
