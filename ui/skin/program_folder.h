#pragma once
// The folder of the running executable and the skin folder beside it.
#include <string>

namespace tarvolin::skin {

// With a trailing backslash.
std::wstring ProgramFolder();
// ProgramFolder() + "Skins\".
std::wstring DefaultSkinFolder();
// Adds the trailing backslash a folder path needs before a file name is appended.
std::wstring WithTrailingSlash(std::wstring folder);

}  // namespace tarvolin::skin
