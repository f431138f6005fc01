#include <thread>

#include "device/attachment/device_events_core.h"

namespace tarvolin::attachment {
namespace {

inline constexpr std::uint32_t kMacroStatePollMs = 1;

// The window's side of a bank switch, for the bank the switch chose.
void ShowBank(DeviceEvents::Core& core, int bank_bit) {
  MainWindowPort& window = core.context.window;
  core.gate.Run([&] {
    window.SendBankChanged();
    window.SetBankIndicatorPictures(BankIndicatorLook(bank_bit));
    window.SetGKeyCaptions(BankCaptions(bank_bit));
  });
}

void SwitchBank(const std::shared_ptr<DeviceEvents::Core>& core) {
  DeviceEventsContext& c = core->context;
  const BankStatus::Bytes bytes = c.bank.Toggle();
  // A failed write leaves the bank switched all the same.
  c.channel.StatusWrite(bytes.data());
  const int bank_bit = bytes[1] & 1;
  core->bank_updates.Start([core, bank_bit] { ShowBank(*core, bank_bit); });
}

void ShowMacroState(DeviceEvents::Core& core, bool playing) {
  MacroStateTurn turn(core);
  const int icon = playing ? kIconMacroPlaying : core.presence_icon.load();
  core.gate.Run([&core, icon] { core.context.window.ShowTrayIcon(icon); });
  core.context.clock.SleepMs(kMacroStatePollMs);
}

}  // namespace

MacroStateTurn::MacroStateTurn(DeviceEvents::Core& core) : core_(core) {
  int expected = 0;
  while (!core_.macro_state_busy.compare_exchange_weak(expected, 1)) {
    expected = 0;
    core_.context.clock.SleepMs(kMacroStatePollMs);
  }
}

MacroStateTurn::~MacroStateTurn() {
  core_.macro_state_busy.store(0);
}

void DispatchEvent(const std::shared_ptr<DeviceEvents::Core>& core, std::uint16_t code) {
  // Once shutdown has begun nothing more reaches the window, nor the keyboard's bank.
  if (!core->gate.IsOpen()) return;
  switch (code) {
    case kEventBankSwitched:
      SwitchBank(core);
      break;
    case kEventLightingChanged:
      core->gate.Run([&c = core->context] { c.window.StartLightingTimer(); });
      break;
    case kEventMacroPlaying:
    case kEventMacroStopped: {
      const bool playing = code == kEventMacroPlaying;
      core->macro_workers.Start([core, playing] { ShowMacroState(*core, playing); });
      break;
    }
    default:
      break;  // 0x1801..0x1804 and anything unknown
  }
}

GKeyCaptions BankCaptions(int bank_bit) {
  const char16_t letter = (bank_bit & 1) != 0 ? u'B' : u'A';
  GKeyCaptions captions;
  for (int j = 0; j < 5; ++j) {
    captions[static_cast<std::size_t>(j)] = {letter, static_cast<char16_t>(u'1' + j)};
  }
  return captions;
}

BankIndicatorPictures BankIndicatorLook(int bank_bit) {
  constexpr SkinPicture N = SkinPicture::kNormal;
  constexpr SkinPicture O = SkinPicture::kOver;
  if ((bank_bit & 1) != 0) return {O, O, O, O, N};
  return {N, N, N, N, O};
}

}  // namespace tarvolin::attachment
