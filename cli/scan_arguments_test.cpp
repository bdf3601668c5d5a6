#include "cli/scan_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/process.h"

namespace stmtpick {
namespace {

RunSettings Scan(std::vector<std::string> args) {
  std::vector<const char*> argv{"stmtpick"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return ScanArguments(static_cast<int>(argv.size()), argv.data());
}

struct ScanCase {
  std::vector<std::string> args;
  std::string outputPath;
  bool repairMode;
  bool appendMode;
  char separator;
};

TEST(ScanArguments, LeftmostValueWinsAndFlagsStick) {
  const ScanCase cases[] = {
      {{"p.qpf"}, "", false, false, ';'},
      {{"p.qpf", "/eout.sql", "/ewrong.sql"}, "out.sql", false, false, ';'},
      {{"p.qpf", "/e", "/eout.sql"}, "", false, false, ';'},
      {{"p.qpf", "-eout.sql"}, "out.sql", false, false, ';'},
      {{"p.qpf", "/fnew.qpf", "/eout.sql"}, "new.qpf", true, false, ';'},
      {{"p.qpf", "/eout.sql", "/fnew.qpf"}, "out.sql", true, false, ';'},
      {{"p.qpf", "/eout.sql", "/f"}, "out.sql", true, false, ';'},
      {{"p.qpf", "/f"}, "", true, false, ';'},
      {{"p.qpf", "/s/", "/s#"}, "", false, false, '/'},
      {{"p.qpf", "/s"}, "", false, false, ';'},
      {{"p.qpf", "/s", "/s#"}, "", false, false, '#'},
      {{"p.qpf", "/sep"}, "", false, false, 'e'},
      {{"p.qpf", "/a"}, "", false, true, ';'},
      {{"p.qpf", "/a", "/anything", "/eout.sql"}, "out.sql", false, true, ';'},
      // Upper-case letters, bare markers and plain words are not options.
      {{"p.qpf", "/E", "out.sql", "/F", "/A", "/SX", "/", "-"}, "", false, false, ';'},
      {{"-a.qpf"}, "", false, true, ';'},
      {{"-eout.sql", "p.qpf"}, "out.sql", false, false, ';'},
  };
  for (const ScanCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    RunSettings settings = Scan(c.args);
    EXPECT_EQ(settings.inputPath, c.args[0]);
    EXPECT_EQ(settings.outputPath, c.outputPath);
    EXPECT_EQ(settings.repairMode, c.repairMode);
    EXPECT_EQ(settings.appendMode, c.appendMode);
    EXPECT_EQ(settings.separator, c.separator);
    EXPECT_FALSE(settings.debugMode);
  }
}

TEST(ScanArguments, PathsAreKeptWhole) {
  std::string longName(300, 'x');
  RunSettings settings = Scan({longName, "/e" + longName});
  EXPECT_EQ(settings.inputPath, longName);
  EXPECT_EQ(settings.outputPath, longName);
}

TEST(ScanArguments, SeparatorIsAnyByte) {
  EXPECT_EQ(Scan({"p.qpf", "/s\xE9"}).separator, '\xE9');
  EXPECT_EQ(Scan({"p.qpf", "/s "}).separator, ' ');
}

TEST(ScanArguments, DebugOption) {
  EXPECT_TRUE(Scan({"p.qpf", "/d"}).debugMode);
  EXPECT_TRUE(Scan({"p.qpf", "-d"}).debugMode);
  EXPECT_FALSE(Scan({"p.qpf", "/D"}).debugMode);
}

TEST(ScanArguments, FirstArgumentWithSlashIsAnOptionOnlyOnWindows) {
  RunSettings settings = Scan({"/eout.sql", "p.qpf"});
  EXPECT_EQ(settings.inputPath, "/eout.sql");
  // On POSIX it is an absolute path: /srv/plans.qpf must not set the separator to r.
  EXPECT_EQ(settings.outputPath, plantest::kWindows ? "out.sql" : "");
  EXPECT_EQ(Scan({"/srv/plans.qpf"}).separator, plantest::kWindows ? 'r' : ';');
}

TEST(ScanArguments, HelpRequests) {
  for (const char* help : {"/?", "-?", "-h", "--help"}) EXPECT_TRUE(IsHelpRequest(help)) << help;
  for (const char* other : {"-H", "/h", "--HELP", "-help", "?", "p.qpf", ""}) {
    EXPECT_FALSE(IsHelpRequest(other)) << other;
  }
}

}  // namespace
}  // namespace stmtpick
