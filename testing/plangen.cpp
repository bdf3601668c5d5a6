// plangen: writes plan files with the tests' builder.
//   plangen sample FILE                        the bundled example
//   plangen bench FILE MIB VERSION [SEED]      about MIB mebibytes of random statements
//   plangen seeds FOLDER                       the fuzzer's seed inputs
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "testing/plan_builder.h"

namespace {

std::string SamplePlan() {
  std::string plan = plantest::Header(3101);
  const struct {
    const char* text;
    std::uint16_t trailer;
  } records[] = {
      {"SELECT id, name FROM customers WHERE active = 1", 24},
      {"UPDATE orders\nSET status = 'shipped'\nWHERE id = 42", 0},
      {"SELECT name FROM products WHERE name LIKE 'A%'", 12},
      {"DELETE FROM sessions WHERE expires < GETDATE()", 40},
      {"INSERT INTO audit (note) VALUES ('100% done')", 3},
  };
  for (const auto& record : records) plan += plantest::Record(record.text, record.trailer, false);
  return plan;
}

bool WriteAll(std::FILE* out, const std::string& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
}

using plantest::Record;

// Two option bytes (mode and /d, separator), then a plan file: valid, cut and damaged ones.
int Seeds(const std::string& folder) {
  const std::string h1 = plantest::Header(3101);
  const std::string h2 = plantest::Header(3102);
  const std::string plain = h1 + Record("SELECT 1", 3, false) + Record("", 0, false) + Record("x", 9, false);
  const std::string extended = h2 + Record("SELECT 2", 1, true) + Record("", 0, true);
  const struct {
    const char* name;
    std::string bytes;
  } seeds[] = {
      {"seed-3101-export", std::string("\0\0", 2) + plain},
      {"seed-3102-append", std::string("\1#", 2) + extended},
      {"seed-repair-damaged", std::string("\2\0", 2) + "BAD!HEAD" + Record("y", 0, false)},
      {"seed-3101-cut-replace", std::string("\3\0", 2) + plain.substr(0, plain.size() - 5)},
      {"seed-3102-cut-block-debug", std::string("\4\0", 2) + extended.substr(0, extended.size() - 10)},
      {"seed-bad-magic", std::string("\0\0", 2) + "SPYX" + plain.substr(4)},
      {"seed-short-header", std::string("\0\0", 2) + h1.substr(0, 5)},
      {"seed-repair-debug", std::string("\6\0", 2) + plain},
      {"seed-raw-bytes", std::string("\0G", 2) + h1 + Record(std::string("a\0b\r\n\x1A\xFF", 8), 0, false) +
                             Record("past the end", 65535, false).substr(0, 30)},
  };
  for (const auto& seed : seeds) {
    std::string path = folder + "/" + seed.name;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    bool ok = out && WriteAll(out, seed.bytes);
    if (!out || std::fclose(out) != 0 || !ok) {
      std::fprintf(stderr, "plangen: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

int Bench(std::FILE* out, std::uint64_t mebibytes, std::uint16_t version, unsigned seed) {
  const std::uint64_t target = mebibytes * 1024 * 1024;
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> textLength(50, 400);
  std::uniform_int_distribution<int> trailerLength(0, 300);
  const std::string words = "SELECT col_a, col_b FROM big_table t JOIN other o ON t.id = o.id "
                            "WHERE t.value > 42 AND o.name LIKE 'x%' ORDER BY col_a ";
  std::string chunk = plantest::Header(version);
  std::uint64_t written = 0;
  std::string text;
  while (written + chunk.size() < target) {
    text.clear();
    int length = textLength(random);
    while (static_cast<int>(text.size()) < length) text += words;
    text.resize(static_cast<std::size_t>(length));
    plantest::RecordParts parts;
    parts.text = text;
    parts.trailerLength = static_cast<std::uint16_t>(trailerLength(random));
    parts.recordPrefix = static_cast<std::uint32_t>(random());
    chunk += plantest::Record(parts, version == 3102);
    if (chunk.size() >= (1u << 20)) {
      if (!WriteAll(out, chunk)) return 1;
      written += chunk.size();
      chunk.clear();
    }
  }
  return WriteAll(out, chunk) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 3 && std::strcmp(argv[1], "seeds") == 0) return Seeds(argv[2]);
  bool sample = argc == 3 && std::strcmp(argv[1], "sample") == 0;
  bool bench = (argc == 5 || argc == 6) && std::strcmp(argv[1], "bench") == 0;
  if (!sample && !bench) {
    std::fputs("usage: plangen sample FILE | bench FILE MIB VERSION [SEED] | seeds FOLDER\n", stderr);
    return 2;
  }
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) {
    std::perror(argv[2]);
    return 1;
  }
  int status = sample ? (WriteAll(out, SamplePlan()) ? 0 : 1)
                      : Bench(out, std::strtoull(argv[3], nullptr, 10),
                              static_cast<std::uint16_t>(std::atoi(argv[4])),
                              argc == 6 ? static_cast<unsigned>(std::atoi(argv[5])) : 1u);
  if (std::fclose(out) != 0) status = 1;
  if (status != 0) std::fprintf(stderr, "plangen: cannot write %s\n", argv[2]);
  return status;
}
