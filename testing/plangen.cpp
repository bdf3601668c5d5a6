// plangen: writes plan files with the tests' builder.
//   plangen sample FILE                        the bundled example
//   plangen bench FILE MIB VERSION [SEED]      about MIB mebibytes of random statements
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

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
  for (const auto& record : records) {
    plantest::RecordSpec spec;
    spec.text = record.text;
    spec.trailerLength = record.trailer;
    plan += plantest::Record(spec, false);
  }
  return plan;
}

bool WriteAll(std::FILE* out, const std::string& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
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
    plantest::RecordSpec spec;
    spec.text = text;
    spec.trailerLength = static_cast<std::uint16_t>(trailerLength(random));
    spec.recordPrefix = static_cast<std::uint32_t>(random());
    chunk += plantest::Record(spec, version == 3102);
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
  bool sample = argc == 3 && std::strcmp(argv[1], "sample") == 0;
  bool bench = (argc == 5 || argc == 6) && std::strcmp(argv[1], "bench") == 0;
  if (!sample && !bench) {
    std::fputs("usage: plangen sample FILE | plangen bench FILE MIB VERSION [SEED]\n", stderr);
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
