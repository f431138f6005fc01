// The JSON reader against damaged texts: every kind of small damage to real dumps gives a
// built file or an error message, never a crash (run under AddressSanitizer natively).
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "profile_test_support.h"
#include "profiles/profile_json.h"
#include "tests/support/source_tree.h"

namespace tarvolin::profiles {
namespace {

using namespace testing;

std::string FixtureText(const char* name) {
  const Bytes bytes = ReadFile(tarvolin::testing::SourceTreePath("tests/profiles/fixtures") / name);
  return std::string(bytes.begin(), bytes.end());
}

// Characters that change the meaning of JSON text most: quotes, escapes, brackets, digits,
// a lone surrogate escape, U+FDD0 and bytes that are not UTF-8.
const std::string kInserts[] = {"\"",
                                "\\",
                                "{",
                                "}",
                                "[",
                                "]",
                                ",",
                                ":",
                                "0",
                                "-1",
                                "1e999",
                                "\\ud800",
                                "\\udc00",
                                "\xEF\xB7\x90",
                                "\xFF",
                                "\xC3",
                                "null",
                                "\"x\": 1",
                                std::string(1, '\0')};

void ExpectBuiltOrRefused(std::string_view json) {
  std::string error;
  const std::optional<Bytes> built = ProfileFileFromJson(json, error);
  EXPECT_TRUE(built.has_value() || !error.empty()) << json.substr(0, 200);
}

TEST(ProfileJsonMutation, DamagedDumpsAreBuiltOrRefused) {
  // Every position of a small dump: cut there, drop the byte, or put each insert before it.
  const std::string small = FixtureText("keyboard_groups.json");
  ASSERT_FALSE(small.empty());
  for (std::size_t at = 0; at < small.size(); ++at) {
    ExpectBuiltOrRefused(small.substr(0, at));
    ExpectBuiltOrRefused(small.substr(0, at) + small.substr(at + 1));
    for (const std::string& insert : kInserts) {
      ExpectBuiltOrRefused(small.substr(0, at) + insert + small.substr(at));
    }
  }
  // Random damage, a few bytes at a time, to dumps with macros, texts and patches.
  std::mt19937 rng(20261209);
  for (const char* name : {"random_five_macros.json", "odd.json"}) {
    const std::string text = FixtureText(name);
    ASSERT_FALSE(text.empty()) << name;
    for (int round = 0; round < 300; ++round) {
      std::string damaged = text;
      for (int n = 1 + static_cast<int>(rng() % 3); n > 0; --n) {
        const std::size_t at = rng() % damaged.size();
        switch (rng() % 3) {
          case 0:
            damaged.erase(at, 1 + rng() % 4);
            break;
          case 1:
            damaged.insert(at, kInserts[rng() % std::size(kInserts)]);
            break;
          default:
            damaged[at] = static_cast<char>(rng() % 256);
            break;
        }
      }
      ExpectBuiltOrRefused(damaged);
    }
  }
}

}  // namespace
}  // namespace tarvolin::profiles
