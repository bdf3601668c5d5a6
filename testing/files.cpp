#include "testing/files.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace plantest {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device seed;
  auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = base / ("stmtpick-test-" + std::to_string(seed()) + "-" + std::to_string(++counter));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

}  // namespace plantest
