#include "ui/dialogs/profile_manager/profile_manager_texts.h"

namespace tarvolin::dialogs {
namespace {

const ProfileManagerTexts kChinese{{L"\u6FC0\u6D3B", L"\u540D\u79F0", L"\u8DEF\u5F84"},
                                   {L"\u786E\u5B9A", L"\u53D6\u6D88", L"\u6DFB\u52A0",
                                    L"\u8F7D\u5165", L"\u5220\u9664", L"\u5E94\u7528"}};

const ProfileManagerTexts kEnglish{
    {L"Active", L"Name", L"Path"},
    {L"OK", L"Cancel", L"New profile file", L"Add an existing profile file",
     L"Remove the selected row", L"Apply"}};

}  // namespace

const ProfileManagerTexts& TextsFor(Language language) {
  return language == Language::kEnglish ? kEnglish : kChinese;
}

}  // namespace tarvolin::dialogs
