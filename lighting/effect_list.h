#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/ini_store.h"

namespace tarvolin::lighting {

inline constexpr std::uint8_t kPerKeyEffect = 254;
inline constexpr std::size_t kEffectListBytes = 32;

// Effect numbers this program knows: 1..28 and the per-key effect.
constexpr bool IsKnownEffect(int effect) {
  return (effect >= 1 && effect <= 28) || effect == kPerKeyEffect;
}

struct EffectEntry {
  int position = 0;  // index in the effect list control
  std::uint8_t effect = 0;
  std::u16string name;

  bool operator==(const EffectEntry&) const = default;
};

// The effects the keyboard announces, in its order, zero entries skipped.
class EffectList {
 public:
  EffectList() = default;
  // Names are left empty; see NameEffects.
  static EffectList FromAnnounced(std::span<const std::uint8_t, kEffectListBytes> announced);

  // First position holding `effect`, or -1.
  int PositionOf(int effect) const;
  std::optional<std::uint8_t> EffectAt(int position) const;
  // The keyboard lists the per-key effect, so it keeps key masks.
  bool SupportsPerKey() const { return PositionOf(kPerKeyEffect) >= 0; }
  bool empty() const { return entries_.empty(); }
  const std::vector<EffectEntry>& entries() const { return entries_; }

  // Gives every entry its name from the skin file.
  void NameEffects(const IniStore& skin, int language);

 private:
  std::vector<EffectEntry> entries_;
};

// An effect's name from the main skin file: section "Mode" for language 0, "Mode1" for 1,
// key = the number in decimal, "1" when missing. Other language values use "Mode", the
// section of the default language.
std::u16string EffectName(const IniStore& skin, int language, std::uint8_t effect);

}  // namespace tarvolin::lighting
