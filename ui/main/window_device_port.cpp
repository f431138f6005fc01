#include "ui/main/window_device_port.h"

#include "ui/main/main_window_ids.h"

namespace tarvolin::mainwnd {

void WindowDevicePort::SendProfileReload() {
  SendMessageW(window_, kMainMsgProfile, kProfileCode, 0);
}

void WindowDevicePort::PostOpen() {
  PostMessageW(window_, kMainMsgOpen, kOpenCode, 0);
}

void WindowDevicePort::Hide() {
  ShowWindow(window_, SW_HIDE);
}

void WindowDevicePort::ShowTrayIcon(int iconId) {
  SendMessageW(window_, kTrayIconMessage, static_cast<WPARAM>(iconId), 0);
}

void WindowDevicePort::SendBankChanged() {
  SendMessageW(window_, kMainMsgBank, kBankCode, 0);
}

void WindowDevicePort::SetBankIndicatorPictures(const attachment::BankIndicatorPictures& pictures) {
  SendMessageW(window_, kBankLookMessage, 0, reinterpret_cast<LPARAM>(&pictures));
}

void WindowDevicePort::SetGKeyCaptions(const attachment::GKeyCaptions& captions) {
  SendMessageW(window_, kGKeyCaptionsMessage, 0, reinterpret_cast<LPARAM>(&captions));
}

void WindowDevicePort::StartLightingTimer() {
  // A timer belongs to the thread that sets it: the window's own thread starts it.
  PostMessageW(window_, kLightingTimerMessage, 0, 0);
}

}  // namespace tarvolin::mainwnd
