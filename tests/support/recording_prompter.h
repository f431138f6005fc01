#pragma once
#include <string>
#include <vector>

#include "platform/prompt.h"

namespace tarvolin::testing {

// Remembers every message the core asks the user to see, and answers like the silent
// prompter: OK for OK boxes, No for questions.
class RecordingPrompter final : public Prompter {
 public:
  PromptAnswer Ask(std::u16string_view text, PromptButtons buttons) override {
    messages.emplace_back(text);
    return buttons == PromptButtons::kOk ? PromptAnswer::kOk : PromptAnswer::kNo;
  }
  std::vector<std::u16string> messages;
};

}  // namespace tarvolin::testing
