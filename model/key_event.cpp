#include "model/key_event.h"

#include "model/key_code.h"
#include "model/key_table.h"

namespace tarvolin::model {
namespace {

constexpr bool IsMouseOrOfficeVk(std::uint8_t vk) {
  return vk == 0x01 || vk == 0x02 || vk == 0x04 || vk == 0x88 || vk == 0x89 || vk == 0x8A ||
         (vk >= 0x97 && vk <= 0x9B) || vk == 0x9E || vk == 0x9F;
}

std::array<std::uint16_t, 256> BuildVirtualKeyTable() {
  std::array<std::uint16_t, 256> table{};
  const auto& keys = KeyTable();
  for (std::size_t slot = 0; slot < keys.size(); ++slot) {
    const std::uint8_t vk = keys[slot].vk;
    // The first key in slot order wins where keys share a virtual key; the choices that
    // differ are set explicitly below. 0xFF means "no virtual key".
    if (vk == 0 || vk == 0xFF || IsMouseOrOfficeVk(vk) || table[vk] != 0) continue;
    table[vk] = static_cast<std::uint16_t>(slot);
  }
  table[0x0D] = SlotOfCode(0x01C);              // Enter, not Num Enter
  table[0x2C] = SlotOfCode(key::kPrintScreen);  // not Sys Req
  table[0xA1] = SlotOfCode(key::kRightShift);
  table[0x10] = SlotOfCode(key::kShift);  // the generic modifier keys
  table[0x11] = SlotOfCode(key::kCtrl);
  table[0x12] = SlotOfCode(key::kAlt);
  table[0x8B] = SlotOfCode(0x152);
  table[0x8C] = SlotOfCode(0x153);
  table[0x9C] = SlotOfCode(0x154);
  table[0x9D] = SlotOfCode(0x155);
  return table;
}

}  // namespace

const std::array<std::uint16_t, 256>& VirtualKeyTable() {
  static const std::array<std::uint16_t, 256> table = BuildVirtualKeyTable();
  return table;
}

std::uint16_t CodeFromKeyEvent(std::uint32_t vk, std::uint64_t lparam) {
  const std::uint8_t virtual_key = static_cast<std::uint8_t>(vk & 0xFF);
  const std::uint16_t vk_slot = VirtualKeyTable()[virtual_key];
  const std::uint16_t vk_code = CodeOfSlot(vk_slot);
  const auto scan_code = static_cast<std::uint16_t>((lparam >> 16) & 0x1FF);

  if (scan_code == key::kRightShift) return key::kRightShift;
  if (virtual_key == 0xFF) return scan_code;
  if ((scan_code & 0xFF) == 0) return vk_code;
  const KeyTableEntry& entry = KeyEntryOfCode(scan_code);
  if (entry.vk == virtual_key || entry.alt_vk == virtual_key) return scan_code;
  if ((scan_code & 0xFF) == vk_slot) return scan_code;
  return vk_code;
}

}  // namespace tarvolin::model
