#include "lighting/effect_list.h"

namespace tarvolin::lighting {

EffectList EffectList::FromAnnounced(std::span<const std::uint8_t, kEffectListBytes> announced) {
  EffectList list;
  for (std::uint8_t effect : announced) {
    if (effect == 0) continue;
    const int position = static_cast<int>(list.entries_.size());
    list.entries_.push_back(EffectEntry{position, effect, {}});
  }
  return list;
}

int EffectList::PositionOf(int effect) const {
  for (const EffectEntry& entry : entries_) {
    if (entry.effect == effect) return entry.position;
  }
  return -1;
}

std::optional<std::uint8_t> EffectList::EffectAt(int position) const {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return std::nullopt;
  return entries_[static_cast<std::size_t>(position)].effect;
}

void EffectList::NameEffects(const IniStore& skin, int language) {
  for (EffectEntry& entry : entries_) entry.name = EffectName(skin, language, entry.effect);
}

std::u16string EffectName(const IniStore& skin, int language, std::uint8_t effect) {
  const std::u16string_view section = language == 1 ? u"Mode1" : u"Mode";
  std::u16string key;
  for (char c : std::to_string(effect)) key.push_back(static_cast<char16_t>(c));
  return skin.Read(section, key, u"1");
}

}  // namespace tarvolin::lighting
