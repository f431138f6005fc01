#include "lighting/mark_buttons.h"

#include <vector>

#include "model/key_buttons.h"

namespace tarvolin::lighting {
namespace {

// G-keys from G6 on only show a mark; clicks on them always assign keys.
constexpr int kFirstDisplayOnlyGKey = 5;
constexpr int kFnPosition = 45;

std::vector<MarkButton> BuildMarkButtons() {
  std::vector<MarkButton> buttons;
  for (const model::KeyButton& key : model::KeyButtonTable()) {
    buttons.push_back({key.button_id, key.code, key.light, true});
  }
  const auto& g_keys = model::GKeyTable();
  for (int j = 0; j < model::kGKeyCount; ++j) {
    const model::GKeyButton& g = g_keys[static_cast<std::size_t>(j)];
    const bool markable = j < kFirstDisplayOnlyGKey;
    buttons.push_back({g.button_id, 0, markable ? g.light : 0, markable});
  }
  buttons.push_back({kFnButton, 0, kFnPosition, true});
  return buttons;
}

}  // namespace

std::span<const MarkButton> MarkButtons() {
  static const std::vector<MarkButton> buttons = BuildMarkButtons();
  return buttons;
}

std::optional<MarkButton> FindMarkButton(int button_id) {
  for (const MarkButton& button : MarkButtons()) {
    if (button.button_id == button_id) return button;
  }
  return std::nullopt;
}

}  // namespace tarvolin::lighting
