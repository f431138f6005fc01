#pragma once
#include <windows.h>

#include <string>

namespace tarvolin::vkb {

// The current user's SID as text ("S-1-5-21-..."), or "" when it cannot be had.
std::wstring CurrentUserSid();

// Security attributes that give the current user, and nobody else, access to what they
// create: the keyboard host's pipe.
class UserOnlySecurity {
 public:
  UserOnlySecurity();
  ~UserOnlySecurity();
  UserOnlySecurity(const UserOnlySecurity&) = delete;
  UserOnlySecurity& operator=(const UserOnlySecurity&) = delete;

  // Nothing when the descriptor could not be built (the caller then refuses to serve).
  SECURITY_ATTRIBUTES* attributes() { return descriptor_ ? &attributes_ : nullptr; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

}  // namespace tarvolin::vkb
