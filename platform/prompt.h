#pragma once
#include <string_view>

namespace tarvolin {

enum class PromptButtons { kOk, kYesNo };
enum class PromptAnswer { kOk, kYes, kNo };

// The core asks, the shell shows: a message box on Windows, a recorder in tests.
// Yes/No questions always default to No.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual PromptAnswer Ask(std::u16string_view text, PromptButtons buttons) = 0;
};

// Answers nothing and shows nothing: OK for OK boxes, No for questions.
class SilentPrompter final : public Prompter {
 public:
  PromptAnswer Ask(std::u16string_view, PromptButtons buttons) override {
    return buttons == PromptButtons::kOk ? PromptAnswer::kOk : PromptAnswer::kNo;
  }
};

}  // namespace tarvolin
