#pragma once
// Tarvolin_DlgComposite: the dialog in which one key of the active profile is assigned — a
// single key captured from the keyboard, a macro (with the macro pane), a multimedia key or
// an editing function — opened beside the main-window button that was clicked.
#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/ini_file.h"
#include "ui/dialogs/composite/composite_host.h"
#include "ui/dialogs/composite/composite_pictures.h"
#include "ui/dialogs/composite/composite_rules.h"
#include "ui/dialogs/composite/enter_escape_filter.h"
#include "ui/dialogs/composite/single_key_capture.h"
#include "ui/dialogs/macro_pane/macro_pane.h"
#include "ui/main/dpi_scale.h"
#include "ui/main/message_box_prompter.h"
#include "ui/skin/gdi_object.h"
#include "ui/widgets/base_dialog.h"
#include "ui/widgets/png_button.h"

namespace tarvolin::composite {

class Tarvolin_DlgComposite final : public widgets::CBaseDialog, private dialogs::MacroPaneHost {
 public:
  explicit Tarvolin_DlgComposite(CompositeHost& host);
  ~Tarvolin_DlgComposite() override;

  // Opens the dialog modally for a main-window key or G button: -1 for an id that is
  // neither, otherwise the dialog's result (IDOK or IDCANCEL).
  INT_PTR OpenForButton(int buttonId);
  // Cancels the dialog when it is open (before a profile switch, at shutdown).
  void CloseIfOpen();
  int open_count() const { return open_count_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // Skin, pictures, fonts and texts (composite_skin.cpp).
  void SetUpWindow();
  void AttachButtons();
  void PlaceControls();
  void CreateFonts();
  void LoadTexts();
  void SetPictureSet(PictureSet set);
  void PlaceBesideButton();
  void PaintBackground(HDC dc);
  HBRUSH LabelBrush(HDC dc, HWND label);

  // Tabs and commands.
  bool OnCommand(int id, int notification);
  void ShowTab(bool initial);
  void OnTabButton(Tab tab);
  void SelectFirstMacro();
  void OnClear();
  void OnCyclesChanged();
  void OnKeyCaptured(std::uint16_t code);
  void StartCapture();
  void StopCapture();
  void Apply();
  void Close(INT_PTR result);
  void SetModified(bool modified);
  void FillLists();

  // MacroPaneHost.
  void MarkChanged() override { SetModified(true); }
  const LanguageTable& Language() const override;
  SettingsStore& Settings() override { return host_.Settings(); }
  Prompter& Prompts() override { return prompter_; }
  void SetMainApplyEnabled() override { host_.MarkConfigurationModified(); }
  void RefreshKeyButton(int profile, std::uint16_t slot) override;
  void SetButtonChecked(int id, bool checked) override;
  std::uint32_t MacroSpace() const override;

  CompositeHost& host_;
  IniFile skin_store_;  // "Composite.ini", parsed once
  mainwnd::MessageBoxPrompter prompter_;
  dialogs::MacroPane pane_;
  SingleKeyCapture capture_;
  EnterEscapeFilter keys_filter_;
  CompositePictures pictures_;
  mainwnd::DpiScale scale_;
  std::map<int, std::unique_ptr<widgets::CPngButton>> buttons_;
  skin::FontHandle key_font_;
  skin::FontHandle list_font_;
  skin::BrushHandle label_brush_;
  PictureSet picture_set_ = PictureSet::kKey;
  int pictures_dpi_ = 0;
  int font_dpi_ = 0;
  SIZE size_{0, 0};

  // What is being edited.
  std::uint16_t slot_ = 0;
  int profile_offset_ = 0;
  int button_id_ = 0;
  bool macro_only_ = false;
  std::uint16_t type_ = 0;
  std::uint32_t value_ = 0;
  std::uint16_t tag_ = 0;
  std::uint16_t captured_code_ = 0;
  bool tab_changed_ = false;  // a tab button was used since opening
  bool loading_cycles_ = false;
  int open_count_ = 0;
  bool modified_ = false;
};

}  // namespace tarvolin::composite
