#include "ui/skin/main_key_pictures.h"

namespace tarvolin::skin {
namespace {

constexpr MainPicture N = MainPicture::kNormal;
constexpr MainPicture O = MainPicture::kOver;
constexpr MainPicture D = MainPicture::kDown;
constexpr MainPicture X = MainPicture::kDisable;

struct Entry {
  std::u16string_view key;
  StatePicturePattern pattern;
};

constexpr Entry kEntries[] = {
    {u"TOVRAN_LINK", {N, O, X, N, N}},    {u"FUNC_PROFILES", {N, O, D, N, N}},
    {u"FUNC_MACRO", {N, O, D, N, N}},     {u"CONTROL_OK", {N, O, D, N, N}},
    {u"CONTROL_CANCEL", {N, O, D, N, N}}, {u"CONTROL_HELP", {N, O, D, N, N}},
    {u"CONTROL_CLOSE", {N, O, D, N, N}},  {u"CONTROL_MINIMIZE", {N, O, D, N, N}},
    {u"CONTROL_MENU", {N, O, D, N, N}},   {u"CONTROL2_APPLY", {N, O, D, X, N}},
    {u"LOCK_CAPS", {N, N, N, N, O}},      {u"LOCK_NUM", {N, N, N, N, O}},
    {u"LOCK_SCROLL", {N, N, N, N, O}},    {u"LOCK_AB", {N, N, N, N, O}},
    {u"FLIP_0", {N, N, N, N, X}},         {u"TOVRAN_VER", {N, N, N, N, N}},
};

// INI keys are compared without regard to case, and so is this table.
bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t ca = a[i] >= u'a' && a[i] <= u'z' ? static_cast<char16_t>(a[i] - 32) : a[i];
    char16_t cb = b[i] >= u'a' && b[i] <= u'z' ? static_cast<char16_t>(b[i] - 32) : b[i];
    if (ca != cb) return false;
  }
  return true;
}

}  // namespace

StatePicturePattern MainKeyPicturePattern(std::u16string_view skinKey) {
  for (const Entry& entry : kEntries) {
    if (EqualsIgnoringAsciiCase(entry.key, skinKey)) return entry.pattern;
  }
  return {N, O, D, N, X};
}

}  // namespace tarvolin::skin
