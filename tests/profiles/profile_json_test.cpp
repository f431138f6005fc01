#include "profiles/profile_json.h"

#include <gtest/gtest.h>

#include "profile_test_support.h"
#include "profiles/json_text.h"
#include "profiles/profile_file.h"

namespace tarvolin::profiles {
namespace {

using namespace testing;
using model::AssignmentType;

Bytes WrittenFile(model::EditedConfig& config, const ScratchFolder& folder) {
  const auto path = folder.File("generated.tvc");
  EXPECT_EQ(WriteProfileFile(config, 1, path), 1);
  return ReadFile(path);
}

Bytes RoundTrip(const Bytes& bytes, std::string* json_out = nullptr) {
  std::string error;
  const std::optional<std::string> json = ProfileFileToJson(bytes, error);
  EXPECT_TRUE(json.has_value()) << error;
  if (!json) return {};
  if (json_out != nullptr) *json_out = *json;
  const std::optional<Bytes> built = ProfileFileFromJson(*json, error);
  EXPECT_TRUE(built.has_value()) << error;
  return built.value_or(Bytes{});
}

TEST(ProfileJsonTest, DumpThenBuildGivesGeneratedFilesBackByteForByte) {
  ScratchFolder folder;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    model::EditedConfig config;
    FillRandomConfig(config, seed, seed % 4 == 0 ? 0 : seed * 2);
    const Bytes bytes = WrittenFile(config, folder);
    std::string json;
    EXPECT_EQ(RoundTrip(bytes, &json), bytes) << "seed " << seed;
    // Files the program writes need no byte patches: the readable fields say it all.
    EXPECT_EQ(json.find("\"patches\""), std::string::npos) << "seed " << seed;
  }
  // The default file and a keyboard-shaped file (every hardware group tagged).
  model::ProfileSet set = DefaultProfileSet();
  const auto* begin = reinterpret_cast<const std::uint8_t*>(&set);
  EXPECT_EQ(RoundTrip(Bytes(begin, begin + sizeof set)), Bytes(begin, begin + sizeof set));
  for (int p = 0; p < 3; ++p) model::ResetProfileAssignments(set.Profile(p));
  EXPECT_EQ(RoundTrip(Bytes(begin, begin + sizeof set)), Bytes(begin, begin + sizeof set));
}

TEST(ProfileJsonTest, OddFilesSurviveThroughPatchesAndTrailingBytes) {
  ScratchFolder folder;
  model::EditedConfig config;
  FillRandomConfig(config, 99, 3);
  const std::size_t launch = 5;
  config.profiles->records[launch] = MakeRecord(AssignmentType::kLaunchProgram);
  config.SetString(launch, std::u16string(u"lone \xD800 surrogate and \U0001F600"));
  Bytes bytes = WrittenFile(config, folder);
  ASSERT_EQ(RoundTrip(bytes), bytes);

  bytes[30] = 1;  // flag 1, with its checksum
  FixChecksum(bytes);
  PutU16(bytes, 50, 0x1234);                         // a foreign product id
  bytes[32832 + 300] = 0x5A;                         // junk after a macro's name
  bytes[32832 + 16512 + 512 + 8 * 1999 + 3] = 0x77;  // in an unused step of macro 2
  PutU16(bytes, 32832 + 16512 * 2 + 508, 2500);      // a step count past the array
  bytes.back() = 0xEE;                               // an unused byte of the string area
  bytes.insert(bytes.end(), {1, 2, 3});              // past the declared size
  EXPECT_EQ(RoundTrip(bytes), bytes);
}

TEST(ProfileJsonTest, RenderingIsReadable) {
  model::EditedConfig config;
  config.profiles = std::make_unique<model::ProfileSet>(DefaultProfileSet());
  config.profiles->Record(0, 0x01E) = MakeRecord(AssignmentType::kSingleKey, 0x030);
  config.profiles->Record(1, 0x03B) = MakeRecord(AssignmentType::kMacro, 1, 2);
  config.profiles->Record(2, 0x010) = MakeRecord(AssignmentType::kTextBlock);
  config.SetString(2 * 512 + 0x010, u"Grüße");
  config.macros = {
      MakeMacro(1, u"Hello", {{50, 0x023, model::kPress}, {0, 0x023, model::kRelease}})};
  ScratchFolder folder;
  const Bytes bytes = WrittenFile(config, folder);
  std::string error;
  const std::string json = ProfileFileToJson(bytes, error).value_or("");
  EXPECT_NE(json.find("  \"header\": {\n    \"magic\": \"0x4446\",\n    \"total_size\": 49356,\n"
                      "    \"macro_count\": 1,\n    \"string_bytes\": 12,\n    \"flag\": 0,\n"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"({"slot": "0x01E", "key": "A", "type": "single_key", "value": "0x030", )"
                      R"("value_key": "B"})"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("type": "macro", "value": 1, "macro": "Hello", "tag": "0x0002"})"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("type": "text_block", "value": 0, "text": "Grüße"})"), std::string::npos)
      << json;
  EXPECT_NE(json.find(R"({"delay_ms": 50, "code": "0x023", "key": "H", "direction": "press"})"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("descriptor": "standard")"), std::string::npos);
}

TEST(ProfileJsonTest, HandWrittenJsonBuildsAValidFile) {
  const std::string json = R"({
    "format": "tarvolin profile file",
    "groups": [
      {"group": 0, "g_slot_tags": true, "assignments": [
        {"slot": "0x03B", "type": "launch_program", "text": "calc.exe"},
        {"slot": 30, "type": "macro", "value": 1}]},
      {"assignments": []}, {"assignments": []}, {"assignments": []}],
    "macros": [{"id": 1, "name": "M", "play_count": 1,
                "steps": [{"delay_ms": 10, "code": "0x1e", "direction": "press"}]}]
  })";
  std::string error;
  const std::optional<Bytes> bytes = ProfileFileFromJson(json, error);
  ASSERT_TRUE(bytes.has_value()) << error;
  ScratchFolder folder;
  const auto path = folder.File("hand.tvc");
  WriteFile(path, *bytes);
  EXPECT_EQ(CheckProfileFile(path).result, 1);
  model::EditedConfig loaded;
  ASSERT_EQ(ReadProfileFile(loaded, path), 1);
  EXPECT_EQ(loaded.String(0x03B).text, u"calc.exe");
  EXPECT_EQ(loaded.profiles->Record(0, 0x01E).type, AssignmentType::kMacro);
  EXPECT_EQ(loaded.profiles->Record(0, 256).tag, 0x0301);
  ASSERT_EQ(loaded.MacroCount(), 1);
  EXPECT_EQ(loaded.macros[0].actions[0], (model::MacroAction{10, 0x01E, model::kPress}));
}

TEST(ProfileJsonTest, BadInputIsRefusedWithItsPlace) {
  std::string error;
  EXPECT_FALSE(ProfileFileToJson(Bytes(100, 0), error));
  EXPECT_EQ(error, "not a profile file: fewer than 32832 bytes");

  auto refused = [](std::string_view json) {
    std::string message;
    EXPECT_FALSE(ProfileFileFromJson(json, message).has_value()) << json;
    return message;
  };
  EXPECT_EQ(refused("{\"format\": 1,}"),
            "line 1, column 14: syntax error while parsing object key - unexpected '}'; "
            "expected string literal");
  EXPECT_EQ(refused("{\"format\": \"x\"}"), "format: expected \"tarvolin profile file\"");
  const std::string head = R"({"format": "tarvolin profile file", "groups": [)";
  EXPECT_EQ(
      refused(head + R"({"assignments": [{"slot": 600, "type": "default"}]}, {"assignments": []},
      {"assignments": []}, {"assignments": []}]})"),
      "groups[0].assignments[0].slot: must be below 0x200");
  EXPECT_EQ(
      refused(head + R"({"assignments": [{"slot": 1, "type": "teleport"}]}, {"assignments": []},
      {"assignments": []}, {"assignments": []}]})"),
      "groups[0].assignments[0].type: unknown assignment type");
  EXPECT_EQ(refused(head + R"({"assignments": []}]})"), "groups: expected 4 groups");
  EXPECT_EQ(refused(head + R"({"assignments": []}, {"assignments": []}, {"assignments": []},
      {"assignments": []}], "patches": [{"at": 40000, "hex": "00"}]})"),
            "the patch at 40000 reaches past the declared size of 32832 bytes");
  EXPECT_EQ(refused("[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]"),
            "line 1, column 65: nested too deeply");
  EXPECT_EQ(refused(R"({"format": "tarvolin profile file", "header": {"flag": 1.5}})"),
            "header.flag: expected a whole number");
  EXPECT_EQ(
      refused(R"({"format": "tarvolin profile file", "header": {"flag": 18446744073709551615}})"),
      "header.flag: number out of range");
  EXPECT_EQ(refused("{\"a\": \"\xC3\"}"),
            "line 1, column 9: syntax error while parsing value - invalid string: ill-formed "
            "UTF-8 byte");
}

TEST(JsonTextTest, StringsKeepEveryUtf16Unit) {
  const std::u16string text = u"a\"\\\n\x01\xDFFF\xD800\U0001F600€\xFDD0\xD800\xFDD0";
  Json value = Json::array();
  value.push_back(JsonString(text));
  value.push_back(Json(std::int64_t{-9223372036854775807 - 1}));
  const std::string json = WriteJsonText(value);
  EXPECT_EQ(json,
            "[\"a\\\"\\\\\\n\\u0001\\udfff\\ud800\xF0\x9F\x98\x80\xE2\x82\xAC\xEF\xB7\x90"
            "\\ud800\xEF\xB7\x90\", -9223372036854775808]\n");
  std::string error;
  const std::optional<Json> back = ParseJsonText(json, error);
  ASSERT_TRUE(back.has_value()) << error;
  EXPECT_EQ(TextOfJson((*back)[0]), text);
  EXPECT_EQ((*back)[1].get<std::int64_t>(), -9223372036854775807 - 1);
  // Escaped forms read the same: a pair, a lone low surrogate, U+FDD0 and a marked-looking pair.
  const std::optional<Json> escaped =
      ParseJsonText(R"(["\ud83d\ude00", "\udc00x", "\ufdd0", "\ufdd0\ue000"])", error);
  ASSERT_TRUE(escaped.has_value()) << error;
  EXPECT_EQ(TextOfJson((*escaped)[0]), u"\U0001F600");
  EXPECT_EQ(TextOfJson((*escaped)[1]), u"\xDC00x");
  EXPECT_EQ(TextOfJson((*escaped)[2]), u"\xFDD0");
  EXPECT_EQ(TextOfJson((*escaped)[3]), u"\xFDD0\xE000");

  EXPECT_FALSE(ParseJsonText("{\"a\": 1, \"a\": 2}", error));
  EXPECT_EQ(error, "member \"a\" appears twice");
  EXPECT_FALSE(ParseJsonText("\"\xED\xA0\x80\"", error));  // a surrogate written as UTF-8
  EXPECT_FALSE(ParseJsonText("\"x", error));
  // An error after a rewritten escape is still placed in the text as written.
  EXPECT_FALSE(ParseJsonText("[\"\\ud800\\ud800\", x]", error));
  EXPECT_EQ(error, "line 1, column 18: syntax error while parsing value - invalid literal");
}

}  // namespace
}  // namespace tarvolin::profiles
