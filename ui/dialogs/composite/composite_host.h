#pragma once
// What the composite dialog needs from the main window that opens it.
#include <windows.h>

#include <optional>

#include "platform/ini_store.h"
#include "platform/settings_store.h"

namespace tarvolin::composite {

class CompositeHost {
 public:
  virtual HWND HostWindow() const = 0;
  // The screen rectangle of a main-window key or G button; none for an unknown id.
  virtual std::optional<RECT> KeyButtonScreenRect(int buttonId) const = 0;
  // The button being edited shows the highlighted look while the dialog is open.
  virtual void HighlightKeyButton(int buttonId) = 0;
  // Every key and G button shows its look from the edited configuration again.
  virtual void RefreshKeyButtonLooks() = 0;
  // The main window's Apply-enabled flag (the edited configuration differs from the keyboard).
  virtual bool ConfigurationModified() const = 0;
  virtual void MarkConfigurationModified() = 0;
  // The G-key bank in use (0 or 1).
  virtual int GKeyBank() const = 0;
  // The main window's DPI, which the dialog takes too.
  virtual int HostDpi() const = 0;
  virtual SettingsStore& Settings() = 0;
  virtual const IniStore& LanguageFile() const = 0;
  virtual void OpenHelp() = 0;

 protected:
  ~CompositeHost() = default;
};

}  // namespace tarvolin::composite
