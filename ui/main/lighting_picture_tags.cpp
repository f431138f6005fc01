#include "ui/main/lighting_picture_tags.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace tarvolin::mainwnd {

PictureTags::~PictureTags() {
  while (!atoms_.empty()) Untag(atoms_.begin()->first);
}

void PictureTags::Tag(HWND control, std::u16string_view fileName) {
  if (control == nullptr) return;
  Untag(control);
  const std::wstring name = win32::ToWide(std::u16string(fileName));
  const ATOM atom = name.empty() ? 0 : GlobalAddAtomW(name.c_str());
  if (atom == 0) return;
  atoms_[control] = atom;
  SetPropW(control, kPictureProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void PictureTags::Untag(HWND control) {
  const auto found = atoms_.find(control);
  if (found == atoms_.end()) return;
  if (IsWindow(control)) RemovePropW(control, kPictureProperty);
  GlobalDeleteAtom(found->second);
  atoms_.erase(found);
}

}  // namespace tarvolin::mainwnd
