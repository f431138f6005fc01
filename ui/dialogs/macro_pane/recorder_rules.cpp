#include "ui/dialogs/macro_pane/recorder_rules.h"

#include "model/key_event.h"
#include "model/key_table.h"
#include "model/macro_record.h"
#include "model/media_keys.h"

namespace tarvolin::dialogs {
namespace {

constexpr std::uint64_t kPreviousStateBit = 1ull << 30;
constexpr std::uint64_t kTransitionBit = 1ull << 31;
constexpr std::uint32_t kLeftWindowsVk = 0x5B;
constexpr std::uint32_t kRightWindowsVk = 0x5C;
constexpr std::uint16_t kLeftWindowsCode = 0x15B;
constexpr std::uint16_t kRightWindowsCode = 0x15C;

HookVerdict Recorded(std::uint16_t code, std::uint16_t direction) {
  HookVerdict verdict;
  verdict.swallow = true;
  verdict.record = true;
  verdict.pressFirst = model::IsReleaseOnlyKey(code);
  verdict.code = code;
  verdict.direction = direction;
  return verdict;
}

}  // namespace

HookVerdict ThreadHookVerdict(std::uint32_t vk, std::uint64_t flags) {
  const std::uint16_t code = model::CodeFromKeyEvent(vk, flags);
  if (code == 0 || model::IsMediaKeyCode(code)) return {};
  const bool release = (flags & kTransitionBit) != 0;
  if (!release && (flags & kPreviousStateBit) != 0) {
    HookVerdict repeat;
    repeat.swallow = true;
    return repeat;
  }
  return Recorded(code, release ? model::kRelease : model::kPress);
}

HookVerdict WindowsKeyVerdict(bool keyDown, std::uint32_t vk, std::uint32_t& lastWindowsKey) {
  bool fresh = true;
  if (keyDown) {
    fresh = lastWindowsKey != vk;
  } else {
    lastWindowsKey = 0;
  }
  if (vk != kLeftWindowsVk && vk != kRightWindowsVk) return {};
  lastWindowsKey = keyDown ? vk : 0;
  if (!fresh) {
    HookVerdict repeat;
    repeat.swallow = true;
    return repeat;
  }
  return Recorded(vk == kLeftWindowsVk ? kLeftWindowsCode : kRightWindowsCode,
                  keyDown ? model::kPress : model::kRelease);
}

}  // namespace tarvolin::dialogs
