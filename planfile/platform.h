// Everything that differs between Windows and POSIX lives behind these calls.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace stmtpick::platform {

// Windows reads a first argument such as /eout.sql as an option; on POSIX a leading
// slash starts an absolute path, so only a hyphen makes the first argument an option.
extern const bool kSlashOptionInFirstArgument;

bool IsDirectory(std::FILE* stream);
bool IsRegularFile(std::FILE* stream);

// True when both streams are the same regular file (device and inode, or volume
// serial and file index), however each was named or redirected.
bool SameFile(std::FILE* a, std::FILE* b);

// True when path names the regular file that stream has open; a missing path is not.
bool PathIsFileOf(const std::string& path, std::FILE* stream);

}  // namespace stmtpick::platform
