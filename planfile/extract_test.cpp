// The extraction as a user sees it: the tool's output, messages, status and files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testing/files.h"
#include "testing/plan_builder.h"
#include "testing/plan_model.h"
#include "testing/process.h"

namespace {

using plantest::AsText;
using plantest::ReadFile;
using plantest::RunIn;
using plantest::TempDir;
using plantest::WriteFile;

std::string Summary(int count) {
  return AsText("\nDone.  Exported " + std::to_string(count) + " statements.\n");
}

std::string Blocks(std::vector<std::string> texts, char separator = ';') {
  std::string script;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    script += "// Statement " + std::to_string(i + 1) + "\n" + texts[i] + "\n" + separator + "\n";
  }
  return AsText(script);
}

using plantest::Record;

const std::string kTwo = plantest::PlanFile(3101, {"SELECT 1", "SELECT 2"}, 5);

TEST(Extract, TwoStatementsToStandardOutput) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kTwo);
  plantest::RunResult run = RunIn(dir, {"plans.qpf"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, AsText("// Statement 1\nSELECT 1\n;\n// Statement 2\nSELECT 2\n;\n"));
  EXPECT_EQ(run.err, Summary(2));
}

TEST(Extract, FilesAndTheirScripts) {
  const std::string h1 = plantest::Header(3101);
  const std::string h2 = plantest::Header(3102);
  const std::string trailerPastEnd = Record("LAST", 65535).substr(0, 8 + 4 + 100);
  std::vector<std::string> twelve;
  std::string manyFile = h1;
  for (int i = 1; i <= 12; ++i) {
    twelve.push_back("SELECT " + std::to_string(i));
    manyFile += Record(twelve.back(), static_cast<std::uint16_t>(i));
  }
  const struct {
    const char* name;
    std::string file;
    std::vector<std::string> texts;
  } cases[] = {
      {"header only", h1, {}},
      {"empty text", h1 + Record("") + Record("B"), {"", "B"}},
      {"zero byte ends the text, the record is still consumed",
       h1 + Record(std::string("A\0junk", 6), 2) + Record("B"), {"A", "B"}},
      {"percent and backslash", h1 + Record("LIKE '%s%d\\n'"), {"LIKE '%s%d\\n'"}},
      {"last record cut in its text", h1 + Record("A", 1) + Record("BCDEF").substr(0, 10), {"A"}},
      {"seven stray bytes", h1 + Record("A") + std::string(7, '\x01'), {"A"}},
      {"trailer past the end", h1 + Record("A") + trailerPastEnd, {"A", "LAST"}},
      {"3102 texts skip the block", h2 + Record("A", 3, true) + Record("B", 0, true), {"A", "B"}},
      {"3102 empty text, cut in its block", h2 + Record("A", 0, true) + Record("", 0, true).substr(0, 20),
       {"A", ""}},
      {"3102 empty text, cut after textLength", h2 + Record("", 0, true).substr(0, 8), {""}},
      {"3102 text cut in its block", h2 + Record("A", 0, true) + Record("B", 0, true).substr(0, 20), {"A"}},
      {"other versions have no block", plantest::Header(0) + Record("A") + Record("B"), {"A", "B"}},
      {"numbers past nine", manyFile, twelve},
      {"line breaks and raw bytes", h1 + Record("a\nb\r\nc\x1A\xFF\x80"), {"a\nb\r\nc\x1A\xFF\x80"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteFile(dir / "plans.qpf", c.file);
    plantest::RunResult run = RunIn(dir, {"plans.qpf"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Blocks(c.texts));
    EXPECT_EQ(run.err, Summary(static_cast<int>(c.texts.size())));
  }
}

// Whatever byte a file is cut at, the tool prints what the format implies: the records whose
// text is whole, the summary and status 0, or a header message and status 1.
TEST(Extract, EveryCutOfAFileOfEachLayout) {
  for (std::uint16_t version : {3101, 3102}) {
    const bool extended = version == 3102;
    const std::string file = plantest::Header(version) + Record("SELECT 1", 3, extended) +
                             Record("", 0, extended) + Record(std::string("x\0y", 3), 2, extended) +
                             Record("", 1, extended);
    TempDir dir;
    for (std::size_t length = 0; length <= file.size(); ++length) {
      SCOPED_TRACE("version " + std::to_string(version) + ", " + std::to_string(length) + " bytes");
      const std::string cut = file.substr(0, length);
      WriteFile(dir / "cut.qpf", cut);
      plantest::ModelResult expected = plantest::ModelExtraction(cut);
      plantest::RunResult run = RunIn(dir, {"cut.qpf"});
      EXPECT_EQ(run.status, expected.status);
      EXPECT_EQ(run.out, AsText(expected.script));
      EXPECT_EQ(run.err, AsText(expected.messages));
    }
  }
}

TEST(Extract, LongestTextsAreWrittenWhole) {
  std::vector<std::string> texts;
  std::string file = plantest::Header(3102);
  for (std::size_t length : {64999u, 65000u, 65535u}) {
    texts.push_back(std::string(length, 'x'));
    file += Record(texts.back(), 65535, true);
  }
  TempDir dir;
  WriteFile(dir / "plans.qpf", file);
  plantest::RunResult run = RunIn(dir, {"plans.qpf"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Blocks(texts));
  EXPECT_EQ(run.err, Summary(3));
}

TEST(Extract, SeparatorOption) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kTwo);
  EXPECT_EQ(RunIn(dir, {"plans.qpf", "/sG"}).out, Blocks({"SELECT 1", "SELECT 2"}, 'G'));
  EXPECT_EQ(RunIn(dir, {"plans.qpf", "-s/", "/s#"}).out, Blocks({"SELECT 1", "SELECT 2"}, '/'));
}

TEST(Extract, ExportFileIsReplacedOrAppendedTo) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kTwo);
  WriteFile(dir / "out.sql", "old content\n");

  plantest::RunResult run = RunIn(dir, {"plans.qpf", "/eout.sql"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, Summary(2));
  EXPECT_EQ(ReadFile(dir / "out.sql"), Blocks({"SELECT 1", "SELECT 2"}));

  run = RunIn(dir, {"plans.qpf", "/a", "/eout.sql"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadFile(dir / "out.sql"), Blocks({"SELECT 1", "SELECT 2"}) + Blocks({"SELECT 1", "SELECT 2"}));

  run = RunIn(dir, {"plans.qpf", "/a", "/enew.sql"});
  EXPECT_EQ(ReadFile(dir / "new.sql"), Blocks({"SELECT 1", "SELECT 2"}));

  // Append with no export file: the script goes to standard output.
  run = RunIn(dir, {"plans.qpf", "/a"});
  EXPECT_EQ(run.out, Blocks({"SELECT 1", "SELECT 2"}));
}

TEST(Extract, BadHeaderLeavesTheExportFileAlone) {
  const struct {
    std::string file;
    std::string message;
  } cases[] = {
      {"", "\nUnable to read file header.\n"},
      {std::string("SPY\0\x1D\x0C\x01", 7), "\nUnable to read file header.\n"},
      {std::string("SPYX\x1D\x0C\x01\x00", 8) + Record("A"),
       "\nFile does not appear to be a Query Plan Viewer file.\n"},
      {std::string("spy\0\x1D\x0C\x01\x00", 8), "\nFile does not appear to be a Query Plan Viewer file.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, {"/eold.sql"}, {"/eold.sql", "/a"}, {"/enew.sql"}}) {
      TempDir dir;
      WriteFile(dir / "bad.qpf", c.file);
      WriteFile(dir / "old.sql", "kept\n");
      std::vector<std::string> args{"bad.qpf"};
      args.insert(args.end(), options.begin(), options.end());
      plantest::RunResult run = RunIn(dir, args);
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, AsText(c.message));
      EXPECT_EQ(ReadFile(dir / "old.sql"), "kept\n");
      EXPECT_FALSE(plantest::Exists(dir / "new.sql"));
    }
  }
}

TEST(Extract, ExportFileThatCannotBeOpened) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kTwo);
  std::filesystem::create_directory(dir.path() / "folder");
  for (const char* option : {"/emissing/out.sql", "/efolder"}) {
    plantest::RunResult run = RunIn(dir, {"plans.qpf", option});
    EXPECT_EQ(run.status, 1) << option;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, AsText("\nUnable to open export file!\n"));
  }
}

TEST(Extract, OutputIsTheInput) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "sub");
  WriteFile(dir / "plans.qpf", kTwo);
  std::filesystem::create_hard_link(dir.path() / "plans.qpf", dir.path() / "hard.qpf");
  std::vector<std::string> spellings = {"/eplans.qpf", "/e./plans.qpf", "/esub/../plans.qpf",
                                        "/ehard.qpf", "/e" + (dir / "plans.qpf")};
  if (plantest::kWindows) {
    // Windows names ignore case, and a backslash separates as well as a slash.
    spellings.insert(spellings.end(), {"/e.\\plans.qpf", "/ePLANS.QPF", "/esub\\..\\Plans.Qpf"});
  }
  for (const std::string& option : spellings) {
    for (bool append : {false, true}) {
      std::vector<std::string> args{"plans.qpf", option};
      if (append) args.push_back("/a");
      plantest::RunResult run = RunIn(dir, args);
      EXPECT_EQ(run.status, 1) << option;
      EXPECT_EQ(run.err, AsText("\nThe output file is the input file!\n")) << option;
      EXPECT_EQ(ReadFile(dir / "plans.qpf"), kTwo) << option;
    }
  }

  // stmtpick plans.qpf >> plans.qpf
  plantest::RunOptions options;
  options.workDir = dir.path().string();
  options.stdoutPath = dir / "plans.qpf";
  options.stdoutAppend = true;
  plantest::RunResult run = plantest::RunTool({"plans.qpf"}, options);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, AsText("\nThe output file is the input file!\n"));
  EXPECT_EQ(ReadFile(dir / "plans.qpf"), kTwo);
}

// For the export file and the repair's output alike.
TEST(Extract, OutputIsTheInputThroughASymbolicLink) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kTwo);
  std::error_code error;
  std::filesystem::create_symlink("plans.qpf", dir.path() / "soft.qpf", error);
  if (error) GTEST_SKIP() << "symbolic links cannot be made here: " << error.message();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"plans.qpf", "/esoft.qpf"},
        {"plans.qpf", "/esoft.qpf", "/a"},
        {"plans.qpf", "/fsoft.qpf"}}) {
    plantest::RunResult run = RunIn(dir, args);
    EXPECT_EQ(run.status, 1) << args[1];
    EXPECT_EQ(run.err, AsText("\nThe output file is the input file!\n")) << args[1];
    EXPECT_EQ(ReadFile(dir / "plans.qpf"), kTwo) << args[1];
  }
}

TEST(Extract, OutputToAnotherFileWithTheSameContentIsFine) {
  TempDir dir;
  WriteFile(dir / "plans.qpf", kTwo);
  WriteFile(dir / "copy.qpf", kTwo);
  plantest::RunResult run = RunIn(dir, {"plans.qpf", "/ecopy.qpf"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadFile(dir / "copy.qpf"), Blocks({"SELECT 1", "SELECT 2"}));
}

// Trailers are holes, so the file stays small on disk while its last statement lies past
// the 4 GiB mark, where 32-bit file positions would wrap.
TEST(Extract, ReadsPastFourGibibytes) {
  TempDir dir;
  const std::string path = dir / "huge.qpf";
  WriteFile(path, plantest::Header(3101));
  plantest::MarkSparse(path);
  const std::uint64_t fourGiB = 4ull << 30;
  std::uint64_t offset = 8;
  int records = 0;
  {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    while (offset <= fourGiB) {
      plantest::RecordParts parts;
      parts.text = "SELECT hole";
      parts.trailerLength = 65535;
      std::string record = plantest::Record(parts, false);
      record.resize(8 + parts.text.size());  // the trailer is left to the hole
      file.seekp(static_cast<std::streamoff>(offset));
      file.write(record.data(), static_cast<std::streamsize>(record.size()));
      offset += 8 + parts.text.size() + parts.trailerLength;
      ++records;
    }
    std::string last = Record("SELECT past 4 GiB");
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(last.data(), static_cast<std::streamsize>(last.size()));
    ++records;
    ASSERT_TRUE(file.flush());
  }
  const unsigned long long allocated = plantest::AllocatedBytes(path);
  if (allocated > fourGiB / 4) {
    GTEST_SKIP() << "this file system cannot keep a sparse file: " << allocated << " bytes on disk";
  }
  plantest::RunResult run = RunIn(dir, {"huge.qpf", "/eout.sql"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, Summary(records));
  std::string script = ReadFile(dir / "out.sql");
  std::string tail = AsText("// Statement " + std::to_string(records) + "\nSELECT past 4 GiB\n;\n");
  ASSERT_GE(script.size(), tail.size());
  EXPECT_EQ(script.substr(script.size() - tail.size()), tail);
}

// The /d lines explain a short script; the script itself does not change.
TEST(Extract, DebugDescribesTheFile) {
  plantest::RecordParts first;
  first.text = "ABC";
  first.trailerLength = 2;
  first.recordPrefix = 0xDEADBEEF;
  plantest::RecordParts empty;
  empty.recordPrefix = 1;
  const std::string whole = plantest::Header(3101, 9) + plantest::Record(first, false) + Record("B");
  const std::string cut = plantest::Header(3101) + plantest::Record(first, false) +
                          Record("never whole").substr(0, 12) ;
  const std::string stray = plantest::Header(3101) + plantest::Record(first, false) + "xyz";
  const std::string extended = plantest::Header(3102) + plantest::Record(first, true) +
                               plantest::Record(empty, true).substr(0, 18);
  const struct {
    const char* name;
    std::string file;
    std::string script;
    std::string debug;
  } cases[] = {
      {"whole", whole, Blocks({"ABC", "B"}),
       "debug: header magic 53 50 59 00, formatVersion 3101, extension block no, headerTail 9\n"
       "debug: record at offset 8: recordPrefix 0xDEADBEEF, trailerLength 2, textLength 3\n"
       "debug: record at offset 21: recordPrefix 0x12345678, trailerLength 0, textLength 1\n"
       "debug: the input ends at offset 30\n"},
      {"cut in a text", cut, Blocks({"ABC"}),
       "debug: header magic 53 50 59 00, formatVersion 3101, extension block no, headerTail 1\n"
       "debug: record at offset 8: recordPrefix 0xDEADBEEF, trailerLength 2, textLength 3\n"
       "debug: record at offset 21: recordPrefix 0x12345678, trailerLength 0, textLength 11\n"
       "debug: the input ends at offset 33 inside the statementText of the record at offset 21; "
       "that record is not exported\n"},
      {"stray bytes", stray, Blocks({"ABC"}),
       "debug: header magic 53 50 59 00, formatVersion 3101, extension block no, headerTail 1\n"
       "debug: record at offset 8: recordPrefix 0xDEADBEEF, trailerLength 2, textLength 3\n"
       "debug: the input ends at offset 24 inside the recordPrefix of a record at offset 21: "
       "3 stray bytes after the last whole record\n"},
      {"3102, cut in a block", extended, Blocks({"ABC", ""}),
       "debug: header magic 53 50 59 00, formatVersion 3102, extension block yes, headerTail 1\n"
       "debug: record at offset 8: recordPrefix 0xDEADBEEF, trailerLength 2, textLength 3\n"
       "debug: record at offset 53: recordPrefix 0x00000001, trailerLength 0, textLength 0\n"
       "debug: the input ends at offset 71 inside the extensionBlock of the record at offset 53; "
       "its text is empty, so it is still exported\n"
       "debug: the input ends at offset 71\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteFile(dir / "plans.qpf", c.file);
    plantest::RunResult plain = RunIn(dir, {"plans.qpf"});
    plantest::RunResult debug = RunIn(dir, {"plans.qpf", "/d"});
    EXPECT_EQ(debug.status, 0);
    EXPECT_EQ(debug.out, c.script);
    EXPECT_EQ(plain.out, c.script);
    EXPECT_EQ(debug.err, AsText(c.debug) + plain.err);
  }

  TempDir dir;
  WriteFile(dir / "short.qpf", "SPY");
  plantest::RunResult run = RunIn(dir, {"short.qpf", "-d"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, AsText("debug: the input holds 3 bytes, fewer than the 8-byte header\n"
                            "\nUnable to read file header.\n"));
}

TEST(Extract, FullDiskIsAFailure) {
  if (plantest::kWindows) GTEST_SKIP() << "Windows has no /dev/full";
  TempDir dir;
  std::string file = plantest::Header(3101);
  for (int i = 0; i < 5000; ++i) file += Record("SELECT something FROM somewhere");
  WriteFile(dir / "large.qpf", file);
  // A short script fails only at the final flush or close; that must be caught too.
  WriteFile(dir / "small.qpf", kTwo);
  for (const char* input : {"large.qpf", "small.qpf"}) {
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"/e/dev/full"}, {"/e/dev/full", "/a"}, {}}) {
      std::vector<std::string> args{input};
      args.insert(args.end(), options.begin(), options.end());
      plantest::RunOptions run;
      run.workDir = dir.path().string();
      if (options.empty()) run.stdoutPath = "/dev/full";
      plantest::RunResult result = plantest::RunTool(args, run);
      EXPECT_EQ(result.status, 1) << testing::PrintToString(args);
      EXPECT_EQ(result.err, "\nUnable to write the SQL script!\n") << testing::PrintToString(args);
    }
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(Extract, ReadErrorIsNotTheEndOfTheFile) {
  if (plantest::kWindows) GTEST_SKIP() << "Windows has no /proc/self/mem";
  // Reading this file at offset 0 fails with an I/O error, unlike reaching an end.
  TempDir dir;
  plantest::RunResult run = RunIn(dir, {"/proc/self/mem", "/eout.sql"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "\nUnable to read input file!\n");
  EXPECT_FALSE(plantest::Exists(dir / "out.sql"));
}

}  // namespace
