#pragma once
// The main window's outside contract: control ids, private messages with their
// four-character codes, commands, timers and the marker other instances look for.
// Portable, so the test driver and the device logic share the same numbers.
#include <array>
#include <cstdint>

#include "device/attachment/main_window_port.h"

namespace tarvolin::mainwnd {

// Stored in the window's GWLP_USERDATA; a second start looks for it.
inline constexpr std::intptr_t kMainWindowMarker = 0x4D41494E;  // "MAIN"

// Private messages and the wParam each must carry.
inline constexpr unsigned kMainMsgOpen = attachment::kMainMsgOpen;
inline constexpr std::uintptr_t kOpenCode = attachment::kMainMsgOpenCode;
inline constexpr unsigned kMainMsgKill = 0x4D4B;
inline constexpr std::uintptr_t kKillCode = 0x4C4C494B;  // "KILL" in memory order
inline constexpr unsigned kMainMsgInit = 0x4D4E;
inline constexpr std::uintptr_t kInitCode = 0x494E4954;  // "INIT"
inline constexpr unsigned kMainMsgProfile = attachment::kMainMsgProfile;
inline constexpr std::uintptr_t kProfileCode = attachment::kMainMsgProfileCode;
inline constexpr unsigned kMainMsgBank = attachment::kMainMsgBank;
inline constexpr std::uintptr_t kBankCode = attachment::kMainMsgBankCode;
inline constexpr unsigned kSliderMovedMessage = 0x28D1;
// A posted 0x001E addressed to the main window runs Apply first.
inline constexpr unsigned kApplyRequestMessage = 0x001E;

// The tray icon's callback message and id.
inline constexpr unsigned kTrayCallbackMessage = 1725;
inline constexpr unsigned kTrayIconId = 140;

// Busy indicator thread messages.
inline constexpr unsigned kBusyShowMessage = 1025;
inline constexpr unsigned kBusyHideMessage = 1026;

// Timers on the main window.
inline constexpr std::uintptr_t kBusyFrameTimer = 1050;
inline constexpr unsigned kBusyFrameMs = 50;
inline constexpr std::uintptr_t kLightingChangedTimer = attachment::kLightingTimerId;

// Messages the window sends itself, and that the device threads send it so that the work
// runs on its own thread (WM_APP and up).
inline constexpr unsigned kBusyDoneMessage = 0x8001;
inline constexpr unsigned kTrayIconMessage = 0x8002;      // wParam: icon id
inline constexpr unsigned kBankLookMessage = 0x8003;      // lParam: BankIndicatorPictures*
inline constexpr unsigned kGKeyCaptionsMessage = 0x8004;  // lParam: GKeyCaptions*
inline constexpr unsigned kLightingTimerMessage = 0x8005;

// Commands.
inline constexpr int kCmdOpen = 32771;
inline constexpr int kCmdAbout = 32773;
inline constexpr int kCmdExit = 32774;
inline constexpr int kCmdImport = 32776;
inline constexpr int kCmdExport = 32777;
inline constexpr int kCmdClose = 32779;
inline constexpr unsigned kSysCmdAboutFirst = 0x10;
inline constexpr unsigned kSysCmdAboutLast = 0x1F;

// Resources.
inline constexpr int kAboutDialog = 100;
inline constexpr int kAboutString = 101;
inline constexpr int kMainDialog = 102;
inline constexpr int kIconAbsent = attachment::kIconKeyboardAbsent;
inline constexpr int kIconAttached = attachment::kIconKeyboardAttached;
inline constexpr int kIconMacroPlaying = attachment::kIconMacroPlaying;
inline constexpr int kTrayMenu = 140;
inline constexpr int kButtonMenu = 144;

// Controls.
namespace id {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr std::array<int, 9> kGButtons = {1000, 1001, 1002, 1003, 1004,
                                                 1140, 1141, 1142, 1143};
inline constexpr int kG9 = 1143;
inline constexpr int kProfileLabel = 1005;
inline constexpr int kApply = 1006;
inline constexpr int kMacro = 1007;
inline constexpr int kF1 = 1010;
inline constexpr int kF5 = 1014;
inline constexpr int kFirstD = 1016;  // D1..D6 are 1016..1021
inline constexpr int kDCount = 6;
inline constexpr int kRightBrace = 1055;  // "]}", overlapped by Enter
inline constexpr int kEnter = 1070;
inline constexpr int kLink = 1121;
inline constexpr int kHelp = 1122;
inline constexpr int kMinimize = 1123;
inline constexpr int kClose = 1124;
inline constexpr int kCapsLock = 1125;
inline constexpr int kNumLock = 1126;
inline constexpr int kScrollLock = 1127;
inline constexpr int kBankIndicator = 1128;
inline constexpr int kFlipIndicator = 1129;
inline constexpr int kFlipLeft = 1130;
inline constexpr int kFlipRight = 1131;
inline constexpr int kLeftArrow = 1132;
inline constexpr int kRightArrow = 1133;
inline constexpr int kVersion = 1134;
inline constexpr int kProfile1 = 1135;  // 1135..1137
inline constexpr int kDefaults = 1138;
inline constexpr int kMenu = 1139;
inline constexpr int kModeSwitch = 1144;
inline constexpr int kFn = 1174;
inline constexpr int kProgress = 1177;
// About window.
inline constexpr int kAboutLink = 1124;
inline constexpr int kAboutIntro = 1206;
inline constexpr int kAboutCopyright = 1205;
}  // namespace id

// The window property that holds the tray icon resource id currently shown (0 when none),
// so tests can read it from outside without a message round trip.
inline constexpr wchar_t kTrayIconProperty[] = L"TarvolinTrayIcon";

}  // namespace tarvolin::mainwnd
