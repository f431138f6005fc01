#pragma once
#include <functional>
#include <string>
#include <string_view>

// The texts the configuration model shows or builds names from, named by their
// language-file keys (UNKNOWN_KEY, MEDIA_*, FUNC_KEY_DESC1..11, KEY_PROMPT_*, EXTRA_*,
// MACRO_NEW_PREFIX). By default they are the compiled-in English texts; the language table
// connects itself here once at start-up with SetModelTextLookup.

namespace tarvolin::model {

namespace text {
inline constexpr std::string_view kUnknownKey = "UNKNOWN_KEY";
inline constexpr std::string_view kKeyPromptSet = "KEY_PROMPT_SET";
inline constexpr std::string_view kKeyPromptSingle = "KEY_PROMPT_SINGLE";
inline constexpr std::string_view kKeyPromptMacro = "KEY_PROMPT_MACRO";
inline constexpr std::string_view kKeyPromptMedia = "KEY_PROMPT_MEDIA";
inline constexpr std::string_view kKeyPromptFunction = "KEY_PROMPT_FUNCTION";
inline constexpr std::string_view kMacroTooLong = "EXTRA_MACRO_TOO_LONG";
inline constexpr std::string_view kProfileSpaceTight = "EXTRA_PROFILE_SPACE_TIGHT";
inline constexpr std::string_view kMacroNewPrefix = "MACRO_NEW_PREFIX";
}  // namespace text

using TextLookup = std::function<std::u16string(std::string_view key)>;

// Routes every model text through `lookup`; an empty function restores the compiled-in texts.
void SetModelTextLookup(TextLookup lookup);

// The current text for `key`.
std::u16string ModelText(std::string_view key);

// The compiled-in text for `key`; empty for keys the model does not use.
std::u16string_view BuiltInModelText(std::string_view key);

// The language key of editing function `index` (0..10): FUNC_KEY_DESC1..FUNC_KEY_DESC11.
std::string FunctionTextKey(int index);
inline constexpr int kFunctionCount = 11;

}  // namespace tarvolin::model
