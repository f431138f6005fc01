#pragma once
#include <array>

// Control ids of the lighting panel and of the buttons the lighting code draws on.

namespace tarvolin::lighting::control {

inline constexpr int kUsbLabel = 1204;
inline constexpr int kLampLabel = 1171;
inline constexpr int kLamp = 1167;
inline constexpr int kEffectList = 1146;
inline constexpr int kProgress = 1177;
inline constexpr int kBrightnessLabel = 1172;
inline constexpr int kBrightnessSlider = 1178;
inline constexpr int kSpeedLabel = 1166;
inline constexpr int kSpeedSlider = 1179;
inline constexpr int kDirectionLabel = 1148;
inline constexpr int kDirectionLeftPicture = 1149;   // direction 0xFF
inline constexpr int kDirectionRightPicture = 1150;  // direction 0x00
inline constexpr int kToolLabel = 1163;
inline constexpr int kPaintTool = 1164;
inline constexpr int kEraseTool = 1165;
inline constexpr int kClearLabel = 1173;
inline constexpr int kClear = 1156;
inline constexpr int kFillLabel = 1208;
inline constexpr int kFill = 1207;
inline constexpr int kUserModeList = 1198;

// Every control of the panel, in the order of the main skin file's table.
inline constexpr std::array<int, 20> kPanelControls = {kUsbLabel,
                                                       kLampLabel,
                                                       kLamp,
                                                       kEffectList,
                                                       kProgress,
                                                       kBrightnessLabel,
                                                       kBrightnessSlider,
                                                       kSpeedLabel,
                                                       kSpeedSlider,
                                                       kDirectionLabel,
                                                       kDirectionLeftPicture,
                                                       kDirectionRightPicture,
                                                       kToolLabel,
                                                       kPaintTool,
                                                       kEraseTool,
                                                       kClearLabel,
                                                       kClear,
                                                       kFillLabel,
                                                       kFill,
                                                       kUserModeList};

// The report-rate buttons 1..4 beside the panel (field values 0..3).
inline constexpr std::array<int, 4> kReportRateButtons = {1147, 1168, 1169, 1170};

// The user mode list offers the first four masks.
inline constexpr int kUserModeListEntries = 4;

}  // namespace tarvolin::lighting::control
