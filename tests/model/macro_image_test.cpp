#include "model/macro_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "model/macro_library.h"
#include "model/model_text.h"
#include "model_test_support.h"

namespace tarvolin::model {
namespace {

using Bytes = std::vector<std::uint8_t>;

MacroRecord Macro(std::u16string_view name, std::uint8_t play_count,
                  std::initializer_list<MacroAction> actions) {
  MacroRecord macro;
  macro.SetName(name);
  macro.play_count = play_count;
  macro.action_count = static_cast<std::uint16_t>(actions.size());
  std::copy(actions.begin(), actions.end(), macro.actions.begin());
  return macro;
}

Bytes Build(const std::vector<MacroRecord>& macros, bool with_names) {
  const MacroImageSize sizes = MacroImageSizesOf(macros);
  const std::uint32_t size = with_names ? sizes.with_names : sizes.without_names;
  Bytes image(size, 0xEE);
  EXPECT_TRUE(BuildMacroImageFrom(macros, image, static_cast<std::uint16_t>(size), with_names));
  return image;
}

TEST(MacroRecordLayout, NameStaysInsideItsField) {
  MacroRecord macro;
  macro.SetName(std::u16string(300, u'x'));
  EXPECT_EQ(macro.Name().size(), 249u);
  EXPECT_EQ(macro.name[249], u'\0');
  macro.name.fill(u'y');  // a file without a terminator
  EXPECT_EQ(macro.Name().size(), 249u);
  macro.action_count = 65535;
  EXPECT_EQ(macro.UsedActions().size(), 2000u);
}

TEST(MacroLibrary, LookupsByIdAndIndex) {
  EditedConfig config;
  config.macros.resize(3);
  config.macros[0].id = 4;
  config.macros[1].id = 2;
  config.macros[2].id = 2;
  EXPECT_EQ(MacroIndexById(config, 2), 1);
  EXPECT_EQ(MacroIndexById(config, 4), 0);
  EXPECT_EQ(MacroIndexById(config, 9), 0);
  EXPECT_EQ(MacroIdByIndex(config, 1), 2);
  EXPECT_EQ(MacroIdByIndex(config, -1), 0);
  EXPECT_EQ(MacroIdByIndex(config, 3), 0);

  AppliedConfig applied;
  applied.macros = config.macros;
  EXPECT_EQ(MacroIndexById(applied, 2, true), 1);
  std::lock_guard lock(applied.mutex());
  EXPECT_EQ(MacroIndexById(applied, 2, false), 1);
}

TEST(MacroImage, TheMacro1Example) {
  const std::vector<MacroRecord> macros = {
      Macro(u"Macro1", 3, {{50, 0x01E, kPress}, {0, 0x01E, kRelease}})};
  const MacroImageSize sizes = MacroImageSizesOf(macros);
  EXPECT_EQ(sizes.with_names, 42u);
  EXPECT_EQ(sizes.without_names, 30u);

  const Bytes expected = {0xAA, 0x55, 42,  0,    1,    0,    1,   0,    0,   0, 0,   0,
                          0,    0,    0,   0,                            // header
                          18,   0,                                       // offsets
                          2,    0,    3,   6,                            // entry
                          0x05, 0xA0, 2,   0x04, 0x00, 0x20, 2,   0x04,  // actions
                          'M',  0,    'a', 0,    'c',  0,    'r', 0,    'o', 0, '1', 0};
  EXPECT_EQ(Build(macros, true), expected);

  const Bytes expected_short = {0xAA, 0x55, 30,   0,    1, 0,    0,    0,    0, 0,
                                0,    0,    0,    0,    0, 0,    18,   0,    2, 0,
                                3,    0,    0x05, 0xA0, 2, 0x04, 0x00, 0x20, 2, 0x04};
  EXPECT_EQ(Build(macros, false), expected_short);
}

TEST(MacroImage, EmptyLibraryAndBufferLimits) {
  EXPECT_EQ(Build({}, true), (Bytes{0xAA, 0x55, 16, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  const std::vector<MacroRecord> macros = {Macro(u"M", 1, {{0, 0x01E, kPress}})};
  Bytes small(25, 0x77);  // one byte short of the named image
  EXPECT_FALSE(BuildMacroImageFrom(macros, small, 26, true));
  EXPECT_EQ(small, Bytes(25, 0x77));

  // More than the 16-bit offsets reach is refused, not wrapped.
  std::vector<MacroRecord> huge(10);
  for (MacroRecord& macro : huge) macro.action_count = 2000;
  const MacroImageSize sizes = MacroImageSizesOf(huge);
  EXPECT_EQ(sizes.without_names, 16u + 20u + 10u * (4u + 8000u));
  Bytes buffer(sizes.without_names);
  EXPECT_FALSE(BuildMacroImageFrom(huge, buffer, 0xFFFF, false));
}

TEST(MacroImage, StepKinds) {
  const auto word = [](const std::array<std::uint8_t, 4>& b) { return b[0] | (b[1] << 8); };
  auto step = EncodeMacroAction({0, 0x11D, kPress});  // Right Ctrl
  EXPECT_EQ(word(step), 0xA000);
  EXPECT_EQ(step[2], 1);
  EXPECT_EQ(step[3], 0x10);
  step = EncodeMacroAction({0, 0x120, kPress});  // Mute
  EXPECT_EQ(word(step), 0xB000);
  EXPECT_EQ(step[2] | (step[3] << 8), 0x0E2);
  step = EncodeMacroAction({0, 0x15E, kPress});  // Power
  EXPECT_EQ(word(step), 0xC000);
  EXPECT_EQ(step[2] | (step[3] << 8), 0x81);
  step = EncodeMacroAction({0, 0x171, kPress});  // Left Button: no usage
  EXPECT_EQ(word(step), 0x8000);
  EXPECT_EQ(step[2] | step[3], 0);
  step = EncodeMacroAction({0, 0x16D, kRelease});  // Media player: consumer usage 0x183
  EXPECT_EQ(word(step), 0x3000);
  EXPECT_EQ(step[2] | (step[3] << 8), 0x183);
  step = EncodeMacroAction({0, 0x01E, 7});  // anything but a release counts as a press
  EXPECT_EQ(word(step) & 0x8000, 0x8000);

  step = EncodeMacroAction({12345, 0x01E, kPress});
  EXPECT_EQ(word(step) & 0xFFF, 1234);
  EXPECT_EQ(DecodeMacroAction(step).delay_ms, 12340u);
  // Pauses beyond the field stay at its maximum instead of wrapping to a short one.
  step = EncodeMacroAction({50000, 0x01E, kPress});
  EXPECT_EQ(DecodeMacroAction(step).delay_ms, 40950u);
  step = EncodeMacroAction({40959, 0x01E, kPress});
  EXPECT_EQ(DecodeMacroAction(step).delay_ms, 40950u);
}

TEST(MacroImage, ParseGivesIdsInOrderAndGeneratedNames) {
  std::vector<MacroRecord> macros = {
      Macro(u"First", 2, {{100, 0x02A, kPress}, {20, 0x01E, kPress}, {0, 0x02A, kRelease}}),
      Macro(u"", 255, {}), Macro(u"Third", 1, {{0, 0x15E, kRelease}})};
  macros[0].id = 40;
  macros[0].play_mode = 3;
  macros[0].new_mark = 1;
  std::vector<MacroRecord> parsed;
  ASSERT_TRUE(ParseMacroImage(Build(macros, false), parsed));
  ASSERT_EQ(parsed.size(), 3u);
  EXPECT_EQ(parsed[0].Name(), u"Macro1");
  EXPECT_EQ(parsed[1].Name(), u"Macro2");
  EXPECT_EQ(parsed[2].Name(), u"Macro3");
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(parsed[i].id, i + 1);
    EXPECT_EQ(parsed[i].play_count, macros[i].play_count);
    EXPECT_EQ(parsed[i].new_mark, 0);
    EXPECT_EQ(parsed[i].play_mode, 0);
    ASSERT_EQ(parsed[i].action_count, macros[i].action_count);
    for (std::size_t a = 0; a < parsed[i].action_count; ++a) {
      EXPECT_EQ(parsed[i].actions[a], macros[i].actions[a]) << i << " " << a;
    }
  }

  SetModelTextLookup([](std::string_view key) -> std::u16string {
    return key == "MACRO_NEW_PREFIX" ? u"Makro " : u"";
  });
  ASSERT_TRUE(ParseMacroImage(Build(macros, true), parsed));
  SetModelTextLookup(nullptr);
  EXPECT_EQ(parsed[0].Name(), u"First");
  EXPECT_EQ(parsed[1].Name(), u"Makro 2");  // no name stored: generated
  EXPECT_EQ(parsed[2].Name(), u"Third");

  // A stored name that ends at its first character counts as none, so reading the image,
  // writing it back and reading again names the macro the same (found by fuzzing).
  auto image = Build({Macro(u"Qz", 1, {{10, 0x01E, kPress}})}, true);
  const auto q = std::find(image.begin(), image.end(), std::uint8_t{'Q'});
  ASSERT_NE(q, image.end());
  *q = 0;
  ASSERT_TRUE(ParseMacroImage(image, parsed));
  EXPECT_EQ(parsed[0].Name(), u"Macro1");
  std::vector<MacroRecord> again;
  ASSERT_TRUE(ParseMacroImage(Build(parsed, true), again));
  EXPECT_EQ(again[0].Name(), parsed[0].Name());
}

TEST(MacroImage, DamagedImagesAreRefused) {
  const std::vector<MacroRecord> macros = {
      Macro(u"Macro1", 3, {{50, 0x01E, kPress}, {0, 0x01E, kRelease}})};
  const Bytes good = Build(macros, true);
  std::vector<MacroRecord> parsed(2);
  ASSERT_TRUE(ParseMacroImage(good, parsed));
  ASSERT_EQ(parsed.size(), 1u);

  const auto refused = [&](Bytes image) {
    std::vector<MacroRecord> out(1);
    const bool ok = ParseMacroImage(image, out);
    return !ok && out.empty();
  };
  Bytes image = good;
  image[0] = 0;  // no magic
  EXPECT_TRUE(refused(image));
  EXPECT_TRUE(refused(Bytes(good.begin(), good.begin() + 10)));  // shorter than a header
  EXPECT_TRUE(refused(Bytes(good.begin(), good.end() - 1)));     // name cut short
  image = good;
  image[16] = 40;  // entry offset past the end
  EXPECT_TRUE(refused(image));
  image = good;
  image[18] = 0xD1;  // 2001 steps
  image[19] = 0x07;
  EXPECT_TRUE(refused(image));
  image = good;
  image[4] = 101;  // more macros than the library holds
  EXPECT_TRUE(refused(image));
  image = good;
  image[4] = 5;  // offset table past the end
  EXPECT_TRUE(refused(Bytes(image.begin(), image.begin() + 20)));

  // A name longer than the record's field is cut to 249 characters.
  Bytes long_name = {0xAA, 0x55, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 18, 0, 0, 0, 1, 255};
  long_name.resize(long_name.size() + 510, 'z');
  ASSERT_TRUE(ParseMacroImage(long_name, parsed));
  EXPECT_EQ(parsed[0].Name().size(), 249u);
}

// Build then parse gives the macros back, pauses to the 10 ms unit, ids renumbered.
TEST(MacroImage, RandomLibrariesRoundTrip) {
  std::mt19937 rng(7);
  const std::vector<std::uint16_t> codes = testing::RoundTripCodes();
  for (int iteration = 0; iteration < 300; ++iteration) {
    const std::size_t count = testing::Below(rng, 101);
    std::size_t budget = testing::Below(rng, 2001);
    std::vector<MacroRecord> macros(count);
    for (std::size_t i = 0; i < count; ++i) {
      MacroRecord& macro = macros[i];
      macro.SetName(testing::RandomName(rng, 249));
      macro.play_count = static_cast<std::uint8_t>(1 + testing::Below(rng, 255));
      macro.id = static_cast<std::uint16_t>(1 + testing::Below(rng, 100));
      const std::size_t steps =
          i + 1 == count ? budget : testing::Below(rng, std::min<std::size_t>(budget, 80) + 1);
      budget -= steps;
      macro.action_count = static_cast<std::uint16_t>(steps);
      for (std::size_t a = 0; a < steps; ++a) {
        macro.actions[a] = {testing::Below(rng, 40960), codes[testing::Below(rng, codes.size())],
                            static_cast<std::uint16_t>(testing::Below(rng, 2))};
      }
    }
    const bool with_names = testing::Below(rng, 4) != 0;
    std::vector<MacroRecord> parsed;
    ASSERT_TRUE(ParseMacroImage(Build(macros, with_names), parsed)) << iteration;
    ASSERT_EQ(parsed.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
      const MacroRecord& in = macros[i];
      const MacroRecord& out = parsed[i];
      ASSERT_EQ(out.id, i + 1);
      ASSERT_EQ(out.play_count, in.play_count);
      if (with_names && !in.Name().empty()) {
        ASSERT_EQ(out.Name(), in.Name());
      } else {
        const std::string number = std::to_string(i + 1);
        ASSERT_EQ(out.Name(), u"Macro" + std::u16string(number.begin(), number.end()));
      }
      ASSERT_EQ(out.action_count, in.action_count);
      for (std::size_t a = 0; a < in.action_count; ++a) {
        ASSERT_EQ(out.actions[a].code, in.actions[a].code);
        ASSERT_EQ(out.actions[a].direction, in.actions[a].direction);
        ASSERT_EQ(out.actions[a].delay_ms, in.actions[a].delay_ms / 10 * 10);
      }
    }
  }
}

}  // namespace
}  // namespace tarvolin::model
