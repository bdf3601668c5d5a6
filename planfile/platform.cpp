#include "planfile/platform.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#ifdef __MINGW32__
// The mingw-w64 runtime may expand * and ? in arguments; the tool takes them as typed.
extern "C" {
int _dowildcard = 0;
}
#endif

namespace stmtpick::platform {

#ifdef _WIN32

const bool kSlashOptionInFirstArgument = true;

namespace {

struct FileId {
  bool valid = false;
  bool regular = false;
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
};

FileId IdOfHandle(HANDLE handle) {
  FileId id;
  BY_HANDLE_FILE_INFORMATION info;
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(handle, &info)) {
    return id;
  }
  id.valid = true;
  id.regular = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  id.volume = info.dwVolumeSerialNumber;
  id.indexHigh = info.nFileIndexHigh;
  id.indexLow = info.nFileIndexLow;
  return id;
}

FileId IdOfStream(std::FILE* stream) {
  return IdOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))));
}

bool SameId(const FileId& a, const FileId& b) {
  return a.valid && b.valid && a.regular && b.regular && a.volume == b.volume &&
         a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

}  // namespace

bool IsDirectory(std::FILE* stream) {
  FileId id = IdOfStream(stream);
  return id.valid && !id.regular;
}

bool IsRegularFile(std::FILE* stream) { return IdOfStream(stream).regular; }

bool SameFile(std::FILE* a, std::FILE* b) { return SameId(IdOfStream(a), IdOfStream(b)); }

bool PathIsFileOf(const std::string& path, std::FILE* stream) {
  // Opening for no access at all still yields the file's identity, and never blocks.
  HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FileId id = IdOfHandle(handle);
  CloseHandle(handle);
  return SameId(id, IdOfStream(stream));
}

#else

const bool kSlashOptionInFirstArgument = false;

namespace {

bool StatOf(std::FILE* stream, struct stat* info) { return fstat(fileno(stream), info) == 0; }

bool SameRegular(const struct stat& a, const struct stat& b) {
  return S_ISREG(a.st_mode) && S_ISREG(b.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool IsDirectory(std::FILE* stream) {
  struct stat info;
  return StatOf(stream, &info) && S_ISDIR(info.st_mode);
}

bool IsRegularFile(std::FILE* stream) {
  struct stat info;
  return StatOf(stream, &info) && S_ISREG(info.st_mode);
}

bool SameFile(std::FILE* a, std::FILE* b) {
  struct stat infoA, infoB;
  return StatOf(a, &infoA) && StatOf(b, &infoB) && SameRegular(infoA, infoB);
}

bool PathIsFileOf(const std::string& path, std::FILE* stream) {
  struct stat infoPath, infoStream;
  return stat(path.c_str(), &infoPath) == 0 && StatOf(stream, &infoStream) &&
         SameRegular(infoPath, infoStream);
}

#endif

}  // namespace stmtpick::platform
