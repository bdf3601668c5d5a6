// The one place where the tests differ between Windows and POSIX.
#include "testing/process.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "testing/files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#endif

namespace plantest {

namespace {

std::string CapturePath(const char* kind) {
  static std::atomic<unsigned> counter{0};
  // Test processes run side by side: each takes names of its own.
  static const std::string base = (std::filesystem::temp_directory_path() /
                                   ("stmtpick-capture-" + std::to_string(std::random_device()()) + "-"))
                                      .string();
  return base + std::to_string(++counter) + "-" + kind;
}

std::string TakeCapture(const std::string& path) {
  std::string bytes = ReadFile(path);
  std::filesystem::remove(path);
  return bytes;
}

}  // namespace

RunResult RunIn(const TempDir& dir, const std::vector<std::string>& args) {
  RunOptions options;
  options.workDir = dir.path().string();
  return RunTool(args, options);
}

std::string AsText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += kNewline;
    else out.push_back(c);
  }
  return out;
}

#ifdef _WIN32

const char* const kNewline = "\r\n";
const bool kWindows = true;

namespace {

std::string ToolPath() {
  char self[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
  return (std::filesystem::path(std::string(self, length)).parent_path() / "stmtpick.exe").string();
}

// The quoting that the C runtime's argument splitting undoes exactly.
std::string Quote(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
  std::string out = "\"";
  for (std::size_t i = 0;; ++i) {
    std::size_t backslashes = 0;
    while (i < arg.size() && arg[i] == '\\') {
      ++i;
      ++backslashes;
    }
    if (i == arg.size()) {
      out.append(backslashes * 2, '\\');
      break;
    }
    if (arg[i] == '"') {
      out.append(backslashes * 2 + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    out.push_back(arg[i]);
  }
  out.push_back('"');
  return out;
}

HANDLE OpenInheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE handle = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  return handle;
}

}  // namespace

void MarkSparse(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  DWORD ignored = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  CloseHandle(file);
}

unsigned long long AllocatedBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  FILE_STANDARD_INFO info = {};
  BOOL known = GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info);
  CloseHandle(file);
  if (!known) throw std::runtime_error("cannot query " + path);
  return static_cast<unsigned long long>(info.AllocationSize.QuadPart);
}

RunResult RunTool(const std::vector<std::string>& args, const RunOptions& options) {
  std::string tool = ToolPath();
  std::string commandLine = Quote(tool);
  for (const std::string& arg : args) commandLine += " " + Quote(arg);

  std::string outPath = options.stdoutPath.empty() ? CapturePath("out") : options.stdoutPath;
  std::string errPath = CapturePath("err");
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = OpenInheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = options.stdoutAppend
                           ? OpenInheritable(outPath, FILE_APPEND_DATA, OPEN_ALWAYS)
                           : OpenInheritable(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = OpenInheritable(errPath, GENERIC_WRITE, CREATE_ALWAYS);

  // Wine now and then refuses a start for a moment (seen about once in twenty suite runs);
  // the tool's behaviour is only looked at once it has started.
  PROCESS_INFORMATION process = {};
  BOOL started = FALSE;
  DWORD startError = 0;
  for (int attempt = 0; attempt < 5 && !started; ++attempt) {
    if (attempt > 0) Sleep(200);
    started = CreateProcessA(tool.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                             options.workDir.empty() ? nullptr : options.workDir.c_str(),
                             &startup, &process);
    if (!started) {
      startError = GetLastError();
      std::fprintf(stderr, "note: the tool's start was refused (error %lu)\n", startError);
    }
  }
  CloseHandle(startup.hStdInput);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  if (!started) {
    throw std::runtime_error("cannot start " + tool + " in " + options.workDir + ": error " +
                             std::to_string(startError));
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  RunResult result;
  result.status = static_cast<int>(code);
  if (options.stdoutPath.empty()) result.out = TakeCapture(outPath);
  result.err = TakeCapture(errPath);
  return result;
}

#else

const char* const kNewline = "\n";
const bool kWindows = false;

namespace {

std::string ToolPath() {
  char self[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", self, sizeof self);
  if (length <= 0) throw std::runtime_error("cannot find the test executable");
  return (std::filesystem::path(std::string(self, static_cast<std::size_t>(length))).parent_path() /
          "stmtpick")
      .string();
}

}  // namespace

void MarkSparse(const std::string&) {}

unsigned long long AllocatedBytes(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) throw std::runtime_error("cannot stat " + path);
  return static_cast<unsigned long long>(info.st_blocks) * 512;
}

RunResult RunTool(const std::vector<std::string>& args, const RunOptions& options) {
  std::string tool = ToolPath();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(tool.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  std::string outPath = options.stdoutPath.empty() ? CapturePath("out") : options.stdoutPath;
  std::string errPath = CapturePath("err");
  int outFlags = O_WRONLY | O_CREAT | (options.stdoutAppend ? O_APPEND : O_TRUNC);

  pid_t child = fork();
  if (child < 0) throw std::runtime_error("cannot fork");
  if (child == 0) {
    int in = open("/dev/null", O_RDONLY);
    int out = open(outPath.c_str(), outFlags, 0644);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        (!options.workDir.empty() && chdir(options.workDir.c_str()) != 0)) {
      _exit(126);
    }
    execv(tool.c_str(), argv.data());
    _exit(127);
  }
  int wait = 0;
  if (waitpid(child, &wait, 0) != child) throw std::runtime_error("cannot wait for the tool");

  RunResult result;
  result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : 128 + WTERMSIG(wait);
  if (options.stdoutPath.empty()) result.out = TakeCapture(outPath);
  result.err = TakeCapture(errPath);
  return result;
}

#endif

}  // namespace plantest
