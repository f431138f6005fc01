// The main window's image buttons: creation, placement at the window's DPI, captions, the
// plain and assigned look of the keys, the G-key bank, Flip and the hover hooks.
#include <algorithm>

#include "app/app_state.h"
#include "i18n/language_loader.h"
#include "i18n/language_table.h"
#include "model/key_buttons.h"
#include "model/key_code.h"
#include "model/key_description.h"
#include "model/key_table.h"
#include "platform/win32/wide_text.h"
#include "ui/main/flip_setting.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_button_table.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/scaled_placement.h"
#include "ui/main/tarvolin_dlg.h"

namespace tarvolin::mainwnd {
namespace {

using skin::MainPicture;
constexpr MainPicture N = MainPicture::kNormal;
constexpr MainPicture O = MainPicture::kOver;
constexpr MainPicture D = MainPicture::kDown;
constexpr MainPicture X = MainPicture::kDisable;

constexpr skin::StatePicturePattern kPlainKey = {N, O, D, N, X};
// A key with an assignment stays highlighted.
constexpr skin::StatePicturePattern kAssignedKey = {O, O, D, N, O};

constexpr int kF4 = id::kF1 + 3;

std::u16string DKeyName(int index) {
  return u"D" + std::u16string(1, static_cast<char16_t>(u'1' + index));
}

}  // namespace

widgets::CPngButton* CTarvolinDlg::Button(int id) {
  const auto found = buttons_.find(id);
  return found == buttons_.end() ? nullptr : found->second.get();
}

skin::StatePictures CTarvolinDlg::PicturesOf(const skin::StatePicturePattern& pattern) const {
  return {skin_.Picture(pattern[0]), skin_.Picture(pattern[1]), skin_.Picture(pattern[2]),
          skin_.Picture(pattern[3]), skin_.Picture(pattern[4])};
}

bool CTarvolinDlg::CreateButton(int id, DWORD extraStyle) {
  // Siblings clip each other, so a key whose picture overlaps another (Enter and "]}")
  // never paints over it.
  HWND button = CreateWindowExW(
      0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW | extraStyle, 1, 1,
      1, 1, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
      nullptr);
  if (button == nullptr) return false;
  auto control = std::make_unique<widgets::CPngButton>();
  if (!control->Attach(button)) {
    DestroyWindow(button);
    return false;
  }
  control->SetHoverHook([this](HWND window, int showsNormal) { OnHoverHook(window, showsNormal); });
  buttons_[id] = std::move(control);
  return true;
}

void CTarvolinDlg::CreateButtons() {
  // "]}" is made before Enter: earlier siblings lie above later ones.
  for (const NamedButton& named : NamedButtons()) CreateButton(named.id, 0);
  for (const model::KeyButton& key : model::KeyButtonTable()) CreateButton(key.button_id, 0);
  for (int id : id::kGButtons) CreateButton(id, 0);
  for (int i = 0; i < id::kDCount; ++i) CreateButton(id::kFirstD + i, 0);
  CreateButton(id::kLeftArrow, 0);
  CreateButton(id::kRightArrow, 0);
  SetWindowPos(Button(id::kRightBrace)->Handle(), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  panel_ = std::make_unique<LightingPanel>(hwnd(), skin_store_);
  panel_->Create();
  panel_->SetLabels(lighting::LanguageSetting(language_file_));

  for (const NamedButton& named : NamedButtons()) {
    widgets::CPngButton* button = Button(named.id);
    if (button == nullptr) continue;
    if (named.caption)
      SetWindowTextW(button->Handle(), win32::ToWide(LanguageText(*named.caption)).c_str());
    if (named.style) {
      button->SetTextStyle(1, named.style->points, win32::ToWide(named.style->face),
                           named.style->colour, named.style->format);
    }
    if (named.tooltip) button->SetTooltip(win32::ToWide(LanguageText(*named.tooltip)), true);
  }
  Button(id::kLink)->SetTooltip(link_url_, true);
  Button(id::kProfileLabel)->SetRotation(kProfileEscapement, 1);
  for (int id : id::kGButtons) {
    const CaptionStyle& style = kGKeyCaption;
    Button(id)->SetTextStyle(1, style.points, win32::ToWide(style.face), style.colour,
                             style.format);
  }
  ShowWindow(Button(id::kModeSwitch)->Handle(), SW_HIDE);
  // The flag was cleared at step 8, before the button existed.
  SetApplyEnabled(apply_enabled_ == 1);
  SetGKeyCaptions(attachment::BankCaptions(BankBit()));
}

void CTarvolinDlg::PlaceButtons() {
  const skin::SkinLayout layout(skin_store_);
  for (const NamedButton& named : NamedButtons()) {
    widgets::CPngButton* button = Button(named.id);
    if (button == nullptr) continue;
    PlaceScaledButton(*button, layout, named.skin_key,
                      PicturesOf(skin::MainKeyPicturePattern(named.skin_key)), scale_);
    if (named.created_disabled) EnableWindow(button->Handle(), FALSE);
  }
  EnableWindow(Button(id::kVersion)->Handle(), FALSE);
  for (const model::KeyButton& key : model::KeyButtonTable()) {
    if (widgets::CPngButton* button = Button(key.button_id)) {
      PlaceScaledButton(*button, layout, model::SkinKeyOfSlot(model::SlotOfCode(key.code)),
                        PicturesOf(kPlainKey), scale_);
    }
  }
  for (int j = 0; j < model::kGKeyCount; ++j) {
    if (widgets::CPngButton* button = Button(id::kGButtons[static_cast<std::size_t>(j)])) {
      PlaceScaledButton(*button, layout, model::SkinKeyOfGKey(j), PicturesOf(kPlainKey), scale_);
    }
  }
  SetBankIndicator(attachment::BankIndicatorLook(BankBit()));
  PlaceDKeys();
  PlaceArrow(id::kLeftArrow, true);
  PlaceArrow(id::kRightArrow, false);
}

// D1..D6 have no key of their own in the skin: they share the row of F1..F4, six equal
// keys across it, and only one of the two groups is in use at a time (Flip).
void CTarvolinDlg::PlaceDKeys() {
  RECT first{};
  RECT last{};
  GetWindowRect(Button(id::kF1)->Handle(), &first);
  GetWindowRect(Button(kF4)->Handle(), &last);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&first), 2);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&last), 2);
  const int span = last.right - first.left;
  const int gap = scale_.Scale(3);
  const int width = (span - gap * (id::kDCount - 1)) / id::kDCount;
  for (int i = 0; i < id::kDCount; ++i) {
    widgets::CPngButton* button = Button(id::kFirstD + i);
    const int x = first.left + i * (width + gap);
    MoveWindow(button->Handle(), x, first.top, width, first.bottom - first.top, FALSE);
    button->SetSkin(x, first.top, PicturesOf(kPlainKey));
    SetWindowTextW(button->Handle(), win32::ToWide(DKeyName(i)).c_str());
    button->SetTextStyle(1, kGKeyCaption.points, win32::ToWide(kGKeyCaption.face),
                         kGKeyCaption.colour, kGKeyCaption.format);
  }
}

void CTarvolinDlg::PlaceArrow(int id, bool left) {
  const skin::SkinLayout layout(skin_store_);
  const std::u16string picture = std::u16string(flip_ == 1 ? u"UP_ARROW_" : u"DOWN_ARROW_") +
                                 (left ? u"LEFT" : u"RIGHT") + u"1";
  PlaceScaledAlternate(*Button(id), layout, left ? u"LEFT_ARROW" : u"RIGHT_ARROW", picture,
                       skin_.Arrow(), scale_);
  EnableWindow(Button(id)->Handle(), FALSE);
}

void CTarvolinDlg::ApplyCaptions() {
  LoadMainWindowCaptions(language_file_);
  for (const NamedButton& named : NamedButtons()) {
    if (!named.caption || named.id == id::kModeSwitch) continue;
    if (widgets::CPngButton* button = Button(named.id)) {
      SetWindowTextW(button->Handle(), win32::ToWide(LanguageText(*named.caption)).c_str());
      InvalidateRect(button->Handle(), nullptr, FALSE);
    }
  }
}

void CTarvolinDlg::SetKeyLook(int buttonId, bool assigned, const std::u16string& tooltip) {
  widgets::CPngButton* button = Button(buttonId);
  if (button == nullptr) return;
  button->SetPictures(PicturesOf(assigned ? kAssignedKey : kPlainKey));
  button->SetTooltip(win32::ToWide(tooltip), true);
}

void CTarvolinDlg::RefreshKeyLooks() {
  profiles::RefreshActiveKeyButtons(switch_context_);
}

void CTarvolinDlg::ShowKeyButtons(const std::vector<model::ButtonDescription>& buttons) {
  for (const model::ButtonDescription& entry : buttons) {
    SetKeyLook(entry.button_id, entry.description.assigned_look, entry.description.tooltip);
  }
}

int CTarvolinDlg::BankBit() const {
  return attachment::TheBankStatus().BankBit();
}

void CTarvolinDlg::SetBankIndicator(const attachment::BankIndicatorPictures& pictures) {
  widgets::CPngButton* indicator = Button(id::kBankIndicator);
  if (indicator == nullptr) return;
  skin::StatePicturePattern pattern{};
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    pattern[i] = pictures[i] == attachment::SkinPicture::kOver ? O : N;
  }
  indicator->SetPictures(PicturesOf(pattern));
}

void CTarvolinDlg::SetGKeyCaptions(const attachment::GKeyCaptions& captions) {
  for (std::size_t j = 0; j < id::kGButtons.size(); ++j) {
    if (widgets::CPngButton* button = Button(id::kGButtons[j])) {
      SetWindowTextW(button->Handle(), win32::ToWide(captions[j]).c_str());
      InvalidateRect(button->Handle(), nullptr, FALSE);
    }
  }
}

void CTarvolinDlg::ApplyFlip(int flip) {
  flip_ = flip == 1 ? 1 : 0;
  for (int id = id::kF1; id <= kF4; ++id) EnableWindow(Button(id)->Handle(), flip_ == 0);
  for (int i = 0; i < id::kDCount; ++i) {
    HWND d = Button(id::kFirstD + i)->Handle();
    EnableWindow(d, flip_ == 1);
    // The group not in use gives way to the other in the same row.
    ShowWindow(d, flip_ == 1 ? SW_SHOWNA : SW_HIDE);
  }
  for (int id = id::kF1; id <= kF4; ++id)
    ShowWindow(Button(id)->Handle(), flip_ == 0 ? SW_SHOWNA : SW_HIDE);
  widgets::CPngButton* indicator = Button(id::kFlipIndicator);
  const skin::StatePicturePattern pattern = skin::MainKeyPicturePattern(u"FLIP_0");
  indicator->SetPictures(
      flip_ == 1
          ? skin::StatePictures{skin_.SecondPicture(pattern[0]), skin_.SecondPicture(pattern[1]),
                                skin_.SecondPicture(pattern[2]), skin_.SecondPicture(pattern[3]),
                                skin_.SecondPicture(pattern[4])}
          : PicturesOf(pattern));
  indicator->SetChecked(flip_, true);
  PlaceArrow(id::kLeftArrow, true);
  PlaceArrow(id::kRightArrow, false);
}

void CTarvolinDlg::OnFlipClicked() {
  ApplyFlip(ToggleFlip(settings_));
}

void CTarvolinDlg::OnHoverHook(HWND button, int showsNormal) {
  const int id = GetDlgCtrlID(button);
  auto invalidate = [this](int target) {
    if (widgets::CPngButton* other = Button(target))
      InvalidateRect(other->Handle(), nullptr, FALSE);
  };
  switch (id) {
    case id::kBankIndicator:
      for (int g : id::kGButtons) invalidate(g);
      break;
    case id::kEnter:
      invalidate(id::kRightBrace);
      break;
    case id::kFlipIndicator:
      if (flip_ == 0) {
        for (int key = id::kF1; key <= kF4; ++key) invalidate(key);
      } else {
        for (int i = 0; i < id::kDCount; ++i) invalidate(id::kFirstD + i);
      }
      invalidate(id::kF5);
      invalidate(id::kFlipLeft);
      invalidate(id::kFlipRight);
      break;
    case id::kFlipLeft:
    case id::kFlipRight: {
      const bool left = id == id::kFlipLeft;
      (left ? TheAppState().left_hint_on : TheAppState().right_hint_on) = showsNormal;
      if (showsNormal == 1) PlaceArrow(left ? id::kLeftArrow : id::kRightArrow, left);
      break;
    }
    default:
      break;
  }
}

void CTarvolinDlg::SetProfileButtons(int active) {
  for (int k = 0; k < 3; ++k) {
    if (widgets::CPngButton* button = Button(id::kProfile1 + k))
      button->SetChecked(k == active ? 1 : 0, true);
  }
}

}  // namespace tarvolin::mainwnd
