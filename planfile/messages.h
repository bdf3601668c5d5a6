// Every message the tool writes to standard error, byte for byte.
#pragma once

#include <cstdio>

namespace stmtpick::messages {

constexpr char kUsage[] =
    "\nUsage:  STMTPICK <QPF_File> [/options]\n"
    "This command parses Query Plan Viewer Files into SQL Statements.\n"
    "<QPF_File> is the Query Plan File Name to parse.\n"
    "    /E<ExportFile> creates a SQL script file instead of writing to stdout.\n"
    "    /A Appends to an existing ExportFile (Default=Overwrite).\n"
    "    /S<symbol> specifies the separator symbol in the export file. (Default=;)\n"
    "    /F<FileName> fixes a damaged file header and writes to the new file.\n"
    "    /D Enables Debugging Output.\n\n";

constexpr char kInvalidInput[] = "\nInvalid Input File!\n";
constexpr char kShortHeader[] = "\nUnable to read file header.\n";
constexpr char kNotPlanFile[] = "\nFile does not appear to be a Query Plan Viewer file.\n";
constexpr char kCannotOpenExport[] = "\nUnable to open export file!\n";
constexpr char kOutputIsInput[] = "\nThe output file is the input file!\n";
constexpr char kCannotWriteScript[] = "\nUnable to write the SQL script!\n";
constexpr char kCannotReadInput[] = "\nUnable to read input file!\n";
constexpr char kMissingOutput[] = "\nMissing Output File!\n";
constexpr char kCannotCreateOutput[] = "\nUnable to create output file!\n";
constexpr char kCannotWriteOutput[] = "\nUnable to write output file!\n";

// Summary format: the count goes between these two pieces.
constexpr char kDoneBefore[] = "\nDone.  Exported ";
constexpr char kDoneAfter[] = " statements.\n";

}  // namespace stmtpick::messages

namespace stmtpick {

// Reports a failure once, whole, and gives the exit status that goes with it.
inline int Fail(const char* message) {
  std::fputs(message, stderr);
  return 1;
}

}  // namespace stmtpick
