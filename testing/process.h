// Runs the built tool as a process, as a user's script would.
#pragma once

#include <string>
#include <vector>

namespace plantest {

struct RunOptions {
  std::string workDir;     // the child's working folder; empty: the test's own
  std::string stdoutPath;  // standard output goes to this file instead of being captured
  bool stdoutAppend = false;
};

struct RunResult {
  int status = -1;
  std::string out;  // empty when stdoutPath was given
  std::string err;
};

// The arguments after the tool's name, passed exactly as given.
RunResult RunTool(const std::vector<std::string>& args, const RunOptions& options = {});

class TempDir;
// Runs the tool with the folder as its working folder.
RunResult RunIn(const TempDir& dir, const std::vector<std::string>& args);

// How a line feed written to a text stream arrives in the file.
extern const char* const kNewline;
// With every "\n" written as kNewline: what a text stream makes of text.
std::string AsText(const std::string& text);

// Marks a new, empty file as sparse where the file system needs telling (NTFS).
void MarkSparse(const std::string& path);
// How many bytes the file really occupies on disk.
unsigned long long AllocatedBytes(const std::string& path);

// True on Windows, where a leading slash makes the first argument an option too.
extern const bool kWindows;

}  // namespace plantest
