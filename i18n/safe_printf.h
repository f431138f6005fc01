#pragma once
#include <concepts>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarvolin {

// One argument of a printf-style text: an integer or a UTF-16 string.
class FormatArg {
 public:
  template <std::integral T>
  requires(!std::same_as<T, bool> && !std::same_as<T, char16_t>) FormatArg(T value)
      : value_(static_cast<long long>(value)) {}         // NOLINT: implicit by design
  FormatArg(std::u16string_view text) : value_(text) {}  // NOLINT
  FormatArg(const char16_t* text) : value_(std::u16string_view(text)) {}        // NOLINT
  FormatArg(const std::u16string& text) : value_(std::u16string_view(text)) {}  // NOLINT

  bool IsInteger() const { return std::holds_alternative<long long>(value_); }
  long long Integer() const { return std::get<long long>(value_); }
  std::u16string_view Text() const { return std::get<std::u16string_view>(value_); }

 private:
  std::variant<long long, std::u16string_view> value_;
};

enum class PlaceholderKind { kInteger, kString };

// The argument kinds a printf-style text consumes, in order. Empty optional when the text holds
// a placeholder this program never formats (%n, %p, %f, %*d, ...), a width or precision above
// 255, or a lone % at its end: such a text is never handed to a formatter.
std::optional<std::vector<PlaceholderKind>> PlaceholderKinds(std::u16string_view text);

// True when both texts are well formed and take the same argument kinds in the same order.
bool PlaceholdersMatch(std::u16string_view text, std::u16string_view reference);

// Formats `text` (a text from the language file) with `args`. A text whose placeholders differ
// from `reference` (the built-in text) or do not fit the arguments is replaced by `reference`;
// if even that does not fit, `text` comes back as it is. Nothing is ever read past the arguments.
std::u16string FormatText(std::u16string_view text, std::u16string_view reference,
                          std::span<const FormatArg> args);

inline std::u16string FormatText(std::u16string_view text, std::u16string_view reference,
                                 std::initializer_list<FormatArg> args) {
  return FormatText(text, reference, std::span<const FormatArg>(args.begin(), args.size()));
}

}  // namespace tarvolin
