#pragma once
#include <array>
#include <cstdint>
#include <string>

// What the device layer asks of the main window when the keyboard comes, goes or reports
// something by itself. The main window implements it; tests fake it. None of these calls is
// made on the user-interface thread, and none is made once the event gate has closed.

namespace tarvolin::attachment {

// Tray icon resources.
inline constexpr int kIconKeyboardAbsent = 128;
inline constexpr int kIconKeyboardAttached = 141;
inline constexpr int kIconMacroPlaying = 142;

// The timer whose tick makes the main window read the lighting again.
inline constexpr unsigned kLightingTimerId = 1051;

// The main window's private messages from the device layer, each with the code its receiver
// checks in wParam.
inline constexpr std::uint32_t kMainMsgOpen = 0x5350;
inline constexpr std::uint32_t kMainMsgOpenCode = 0x4F50454E;  // "OPEN"
inline constexpr std::uint32_t kMainMsgProfile = 0x5452;
inline constexpr std::uint32_t kMainMsgProfileCode = 0x50524F46;  // "PROF"
inline constexpr std::uint32_t kMainMsgBank = 0x5045;
inline constexpr std::uint32_t kMainMsgBankCode = 0x004C4544;  // "LED"

// Which of the main window's two skin pictures a state of the bank indicator (control 1128)
// shows: N = "Skins\\main_normal.jpg", O = "Skins\\main_over.jpg".
enum class SkinPicture { kNormal, kOver };
// Normal, hover, pressed, disabled, checked.
using BankIndicatorPictures = std::array<SkinPicture, 5>;
// G1..G5 (controls 1000-1004), then G6..G9 (controls 1140-1143).
using GKeyCaptions = std::array<std::u16string, 9>;

class MainWindowPort {
 public:
  virtual ~MainWindowPort() = default;

  // --- From an attach-handler thread ---

  // Sends MainMsgProfile and returns once the window has handled it (it reloads the active
  // profile, its buttons and the lighting panel).
  virtual void SendProfileReload() = 0;
  // Posts MainMsgOpen; returns at once.
  virtual void PostOpen() = 0;
  // Hides the main window (the keyboard has gone).
  virtual void Hide() = 0;
  // The window's tray-ready flag: true once its notification-area icon exists. Polled.
  virtual bool IsTrayReady() const = 0;

  // --- From an attach-handler thread or a macro-state worker thread ---

  // Shows tray icon `icon_id` (one of the three above); the same icon again changes nothing.
  virtual void ShowTrayIcon(int icon_id) = 0;

  // --- From the bank worker thread, after the bank bit changed ---

  // Sends MainMsgBank and returns once the window has redrawn the nine G buttons for the
  // bank the bank status now holds.
  virtual void SendBankChanged() = 0;
  // The five state pictures of the bank indicator.
  virtual void SetBankIndicatorPictures(const BankIndicatorPictures& pictures) = 0;
  // The captions of the nine G buttons.
  virtual void SetGKeyCaptions(const GKeyCaptions& captions) = 0;

  // --- From the HID library's callback thread ---

  // Starts timer kLightingTimerId with a 0 ms period on the main window; returns at once.
  virtual void StartLightingTimer() = 0;
};

}  // namespace tarvolin::attachment
