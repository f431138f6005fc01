#pragma once
// MacroPane: the macro tab of the composite key dialog. It edits working copies of the macro
// library (add, delete, rename, play count), shows the current macro's steps in an editable
// report list, records steps with a thread keyboard hook and a low-level hook for the Windows
// keys, and copies its work back into the library when the dialog commits.
//
// The dialog owns one pane for its whole life. Each time the dialog window is created it calls
// Attach with its window and Load; each time it closes, Close. The pane finds its controls by id
// in the dialog (1017..1027, 1019, 1125, 1126, 1130, 1133); placing them is the dialog's work.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "i18n/language_table.h"
#include "platform/prompt.h"
#include "platform/settings_store.h"

namespace tarvolin::dialogs {

// What the pane needs from the dialog and the main window.
class MacroPaneHost {
 public:
  virtual ~MacroPaneHost() = default;
  // The dialog has unsaved changes: enable its Apply button.
  virtual void MarkChanged() = 0;
  // The texts of the pane's captions, columns and messages.
  virtual const LanguageTable& Language() const = 0;
  // The per-user settings holding the record-delay value under "PROFILES".
  virtual SettingsStore& Settings() = 0;
  // Message boxes owned by the dialog (Yes/No questions default to No).
  virtual Prompter& Prompts() = 0;
  // The commit changed a key assignment: the main window's Apply-enabled flag.
  virtual void SetMainApplyEnabled() = 0;
  // The commit reset the assignment at `slot` of `profile` (0..3): redraw that key button
  // when the profile is the one shown.
  virtual void RefreshKeyButton(int profile, std::uint16_t slot) = 0;
  // Shows an image button of the pane (1017..1026) checked or normal: the record button is
  // checked while recording.
  virtual void SetButtonChecked(int id, bool checked) = 0;
  // The keyboard's macro space in bytes (0 when not known); recording stops before the
  // library's macro image would outgrow it.
  virtual std::uint32_t MacroSpace() const = 0;
};

// The pane's control ids in dialog template 134.
namespace macro_ids {
inline constexpr int kAdd = 1017;
inline constexpr int kDelete = 1018;
inline constexpr int kActionList = 1019;
inline constexpr int kRecord = 1020;
inline constexpr int kDeleteAction = 1021;
inline constexpr int kClearActions = 1022;
inline constexpr int kMoveTop = 1023;
inline constexpr int kMoveUp = 1024;
inline constexpr int kMoveDown = 1025;
inline constexpr int kMoveBottom = 1026;
inline constexpr int kRecordDelay = 1027;
inline constexpr int kCycles = 1125;
inline constexpr int kMacroCombo = 1126;
inline constexpr int kCyclesPrompt = 1130;
inline constexpr int kRecordDelayLabel = 1133;
}  // namespace macro_ids

class MacroPane {
 public:
  explicit MacroPane(MacroPaneHost& host);
  ~MacroPane();  // stops a recording, so no hook outlives the pane
  MacroPane(const MacroPane&) = delete;
  MacroPane& operator=(const MacroPane&) = delete;

  // At the dialog's WM_INITDIALOG, after its controls exist: takes over the controls, sets
  // their texts and columns.
  void Attach(HWND dialog);
  // Copies the library into the pane's working copies and fills the macro combo.
  void Load();
  // Selects the macro with `id` (no change when none has it) and shows its steps.
  bool SelectMacroById(std::uint16_t id);
  // The id of the selected macro; 0 when there is none.
  std::uint16_t CurrentMacroId() const;
  // True when the pane has macros (the dialog may assign one).
  bool HasMacros() const;

  // WM_COMMAND from one of the pane's controls; false when the id is not the pane's.
  bool OnCommand(int id, int notificationCode);
  // WM_NOTIFY from the action list; false when it is not the pane's. `result` is the value
  // the dialog returns for the message.
  bool OnNotify(const NMHDR& header, LRESULT& result);

  // Apply and OK, before the dialog assigns the key: ends editing and recording and installs
  // the working copies as the library. False when nothing could be installed (the library
  // stays as it was).
  bool Commit();
  // OK and Cancel, after the commit: stops recording and drops the working copies.
  void Close();

  void StopRecording();
  bool IsRecording() const;
  // The macro tab shown or hidden: shows or hides every control of the pane.
  void Show(bool visible);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvolin::dialogs
