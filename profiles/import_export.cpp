#include "profiles/import_export.h"

#include <mutex>

#include "profiles/profile_content.h"
#include "profiles/profile_file.h"

namespace tarvolin::profiles {

ImportResult ImportProfileFrom(ProfileContext& context, const std::filesystem::path& path,
                               const std::function<void()>& refresh_key_buttons) {
  ImportResult result;
  Prompter& prompter = context.config.prompter;
  if (ValidateProfileFile(context, path) <= 0) {
    prompter.Ask(context.texts.Text(TextKey::MAIN_PROMPT_INPORT), PromptButtons::kOk);
    return result;
  }
  // Read before anything is released, so a file that cannot be read whole leaves the
  // configuration as it was.
  ProfileFileLoad load = LoadProfileFile(path);
  if (!load.Loaded()) {
    prompter.Ask(context.texts.Text(TextKey::MAIN_PROMPT_INPORT), PromptButtons::kOk);
    return result;
  }

  model::EditedConfig& config = context.config.edited;
  std::lock_guard lock(config.mutex());
  ReleaseEditedConfiguration(config);
  InstallProfileContent(config, std::move(load.content));
  result.loaded = true;
  result.saved = SaveActiveProfileFile(context, 0);
  result.applied = model::ApplyConfig(context.config, 1);
  if (refresh_key_buttons) refresh_key_buttons();
  return result;
}

int ExportProfileTo(ProfileContext& context, const std::filesystem::path& path) {
  return WriteProfileFile(context.config.edited, 1, path);
}

}  // namespace tarvolin::profiles
