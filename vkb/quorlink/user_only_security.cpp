#include "vkb/quorlink/user_only_security.h"

#include <sddl.h>

#include <vector>

#include "platform/win32/unique_handle.h"

namespace tarvolin::vkb {

std::wstring CurrentUserSid() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  const win32::UniqueHandle token(raw);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<std::uint8_t> buffer(size);
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    return {};
  }
  std::wstring sid(text);
  LocalFree(text);
  return sid;
}

UserOnlySecurity::UserOnlySecurity() {
  const std::wstring sid = CurrentUserSid();
  if (sid.empty()) return;
  // A protected DACL with one entry: full access for this user.
  const std::wstring sddl = L"D:P(A;;GA;;;" + sid + L")";
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                            &descriptor_, nullptr)) {
    descriptor_ = nullptr;
    return;
  }
  attributes_.nLength = sizeof attributes_;
  attributes_.lpSecurityDescriptor = descriptor_;
  attributes_.bInheritHandle = FALSE;
}

UserOnlySecurity::~UserOnlySecurity() {
  if (descriptor_) LocalFree(descriptor_);
}

}  // namespace tarvolin::vkb
