// The main window as the composite dialog's host: where the clicked button is, its look
// while the dialog is open, and the looks of every key after an assignment.
#include "app/app_state.h"
#include "model/key_buttons.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/tarvolin_dlg.h"

namespace tarvolin::mainwnd {
namespace {

using skin::MainPicture;
// The highlighted look of the key being edited.
constexpr skin::StatePicturePattern kEditedKey = {MainPicture::kOver, MainPicture::kOver,
                                                  MainPicture::kDown, MainPicture::kNormal,
                                                  MainPicture::kOver};

}  // namespace

std::optional<RECT> CTarvolinDlg::KeyButtonScreenRect(int buttonId) const {
  const auto found = buttons_.find(buttonId);
  if (found == buttons_.end()) return std::nullopt;
  RECT rect{};
  if (!GetWindowRect(found->second->Handle(), &rect)) return std::nullopt;
  return rect;
}

void CTarvolinDlg::HighlightKeyButton(int buttonId) {
  if (widgets::CPngButton* button = Button(buttonId)) button->SetPictures(PicturesOf(kEditedKey));
}

void CTarvolinDlg::RefreshKeyButtonLooks() {
  RefreshKeyLooks();
  RefreshGKeyLooks();
}

// A G button with an assignment in the bank shown is drawn checked.
void CTarvolinDlg::RefreshGKeyLooks() {
  const int profile = TheAppState().cached_profile;
  model::EditedConfig& edited = model::TheEditedConfig();
  std::lock_guard lock(edited.mutex());
  for (int j = 0; j < model::kGKeyCount; ++j) {
    widgets::CPngButton* button = Button(id::kGButtons[static_cast<std::size_t>(j)]);
    int checked = 0;
    if (edited.profiles && model::IsValidProfile(profile)) {
      checked = edited.profiles->Record(profile, model::SlotOfGKey(j, BankBit())).type != 0 ? 1 : 0;
    }
    if (button != nullptr) button->SetChecked(checked, true);
  }
}

}  // namespace tarvolin::mainwnd
