#include "lighting/key_masks.h"

#include <gtest/gtest.h>

#include <set>

#include "lighting/default_key_masks.h"
#include "lighting/mark_buttons.h"

namespace tarvolin::lighting {
namespace {

TEST(KeyMasksTest, BitLayoutAndBounds) {
  EXPECT_EQ(MaskByteIndex(2, 45), 41u);  // 2 x 18 + 45 / 8
  EXPECT_EQ(MaskBit(45), 0x20);          // bit 5
  EXPECT_EQ(MaskByteIndex(0, 0), 0u);
  EXPECT_EQ(MaskByteIndex(9, 143), 179u);
  EXPECT_FALSE(MaskByteIndex(10, 0).has_value());
  EXPECT_FALSE(MaskByteIndex(-1, 0).has_value());
  EXPECT_FALSE(MaskByteIndex(0, 144).has_value());
  EXPECT_FALSE(MaskByteIndex(0xFF, 5).has_value());

  KeyMasks masks;
  masks.page(1)[41] = 0x20;
  EXPECT_TRUE(masks.IsLit(1, 2, 45));
  EXPECT_FALSE(masks.IsLit(1, 2, 44));
  EXPECT_FALSE(masks.IsLit(0, 2, 45));
  EXPECT_FALSE(masks.IsLit(1, 12, 45));
}

TEST(KeyMasksTest, DefaultPageRows) {
  // An independent transcription of the reset masks, kept here only to check the table
  // against its source: bytes 0..17 of each mask, the rest of each row zero.
  const std::vector<std::vector<std::uint8_t>> rows = {
      {0x00, 0x08, 0x0C, 0x08, 0x00, 0x00, 0x00, 0x00, 0x20, 0x20, 0x20, 0x00, 0x00, 0x10},
      {0x35, 0x0E, 0x0E, 0x2E, 0x0E, 0x0A},
      {0x27, 0x0E, 0x0E, 0x2E, 0x0A, 0x18, 0x10, 0x00, 0x00, 0x00, 0x04},
      {0x25, 0x0A, 0x1E, 0x3A, 0x1A, 0x12, 0x02, 0x00, 0x00, 0x08},
      {0x19, 0x0C, 0x1C, 0x0C, 0x10, 0x00, 0x00, 0x00, 0x20, 0x20, 0x20, 0x00, 0x00, 0x10},
      {0, 0, 0, 0, 0, 0, 0x02},
      {0, 0, 0, 0, 0, 0, 0, 0x02},
      {0, 0, 0, 0, 0, 0, 0, 0, 0x02},
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02},
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02},
  };
  for (std::size_t m = 0; m < rows.size(); ++m) {
    for (std::size_t i = 0; i < kMaskSize; ++i) {
      const std::uint8_t expected = i < rows[m].size() ? rows[m][i] : 0;
      EXPECT_EQ(kDefaultMaskPage[m * kMaskSize + i], expected) << "mask " << m << " byte " << i;
    }
  }
}

TEST(MarkButtonsTest, ButtonsAndPositions) {
  const auto buttons = MarkButtons();
  ASSERT_EQ(buttons.size(), 115u);  // 105 keys, G1..G9, Fn
  std::set<int> ids;
  for (const MarkButton& b : buttons) {
    ids.insert(b.button_id);
    EXPECT_GE(b.position, 0);
    EXPECT_LT(b.position, kKeyPositionCount);
  }
  EXPECT_EQ(ids.size(), buttons.size());
  EXPECT_EQ(buttons.front().button_id, 1058);  // A leads the key-button order
  EXPECT_EQ(buttons.front().position, 11);
  EXPECT_EQ(buttons[104].button_id, 1209);  // K45 ends it
  EXPECT_EQ(buttons[104].position, 86);

  const std::pair<int, int> known[] = {{1022, 0},   {1089, 61}, {1087, 61}, {1093, 120},
                                       {1111, 141}, {1000, 6},  {1004, 38}, {kFnButton, 45}};
  for (const auto& [id, position] : known) {
    const auto button = FindMarkButton(id);
    ASSERT_TRUE(button.has_value()) << id;
    EXPECT_EQ(button->position, position) << id;
    EXPECT_TRUE(button->markable);
  }
  for (int id = 1140; id <= 1143; ++id) {
    const auto g = FindMarkButton(id);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->position, 0);
    EXPECT_FALSE(g->markable);
  }
  EXPECT_FALSE(FindMarkButton(1016).has_value());  // D1: no LED position known
  EXPECT_FALSE(FindMarkButton(1135).has_value());  // a profile button
}

}  // namespace
}  // namespace tarvolin::lighting
