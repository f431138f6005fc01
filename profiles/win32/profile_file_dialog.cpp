#include "profiles/win32/profile_file_dialog.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace tarvolin::profiles::win32 {

FileDialogRequest OpenProfileRequest(std::u16string_view initial_file_name) {
  FileDialogRequest request;
  request.kind = FileDialogKind::kOpen;
  request.initial_file_name = initial_file_name;
  request.flags = OFN_HIDEREADONLY;
  return request;
}

FileDialogRequest SaveProfileRequest(std::u16string_view initial_file_name) {
  FileDialogRequest request;
  request.kind = FileDialogKind::kSave;
  request.initial_file_name = initial_file_name;
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  return request;
}

FileDialogSetup::FileDialogSetup(HWND owner, const FileDialogRequest& request)
    : filter_(tarvolin::win32::ToWide(FileDialogFilter(request.filter))),
      default_extension_(tarvolin::win32::ToWide(request.default_extension)),
      file_buffer_(kFileBufferLength, L'\0') {
  const std::wstring initial = tarvolin::win32::ToWide(request.initial_file_name);
  std::copy_n(initial.begin(), std::min(initial.size(), file_buffer_.size() - 1),
              file_buffer_.begin());
  dialog_.lStructSize = sizeof dialog_;
  dialog_.hwndOwner = owner;
  dialog_.lpstrFilter = filter_.c_str();
  dialog_.nFilterIndex = 1;
  dialog_.lpstrFile = file_buffer_.data();
  dialog_.nMaxFile = static_cast<DWORD>(file_buffer_.size());
  dialog_.lpstrDefExt = default_extension_.empty() ? nullptr : default_extension_.c_str();
  // The Explorer-style dialog, as every modern program shows it.
  dialog_.Flags = request.flags | OFN_EXPLORER;
}

std::wstring FileDialogSetup::FileName() const {
  return std::wstring(file_buffer_.data());
}

std::optional<std::filesystem::path> ShowFileDialog(HWND owner, const FileDialogRequest& request) {
  FileDialogSetup setup(owner, request);
  const BOOL chosen = request.kind == FileDialogKind::kOpen ? GetOpenFileNameW(&setup.Get())
                                                            : GetSaveFileNameW(&setup.Get());
  if (!chosen || setup.FileName().empty()) return std::nullopt;
  return std::filesystem::path(setup.FileName());
}

}  // namespace tarvolin::profiles::win32
