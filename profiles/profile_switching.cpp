#include "profiles/profile_switching.h"

#include <mutex>

#include "model/key_description.h"
#include "model/macro_positions.h"
#include "profiles/file_io.h"
#include "profiles/keyboard_profile.h"
#include "profiles/profile_file.h"

namespace tarvolin::profiles {
namespace {

// 1 while SwitchProfile's save question is on screen. The question's message box runs a
// message loop, so a second switch can start meanwhile; it then switches without asking.
int g_save_question_guard = 0;

// Positions in the profile list.
constexpr std::size_t kDefaultEntry = 0;
constexpr std::size_t kFirstProfileEntry = 2;

model::ConfigContext& Config(ProfileSwitchContext& context) {
  return context.profiles.config;
}

int ActiveProfile(ProfileSwitchContext& context) {
  return model::QueryActiveProfile(Config(context).channel, Config(context).app_state);
}

// Replaces the edited configuration by the file at `path`, or by the default profile set when
// the file cannot be loaded, so a usable configuration always remains. The caller holds the
// edit lock. True when the file was loaded.
bool LoadFileOrDefaults(model::EditedConfig& edited, const std::filesystem::path& path) {
  ReleaseEditedConfiguration(edited);
  if (!path.empty() && ReadProfileFile(edited, path) == 1) return true;
  ReleaseEditedConfiguration(edited);
  BuildDefaultProfileSet(edited);
  return false;
}

// The No answer: the unapplied edits go, and the active profile's file comes back.
void DiscardEdits(ProfileSwitchContext& context) {
  context.window.SetApplyEnabled(false);
  const int active = ActiveProfile(context);
  if (active < 0) return;
  const std::filesystem::path path = context.profiles.data_folder.ProfileFilePath(active);
  // A profile without a file (switched to since the attach) goes back to what the keyboard
  // holds; the defaults would drop every macro, and the next Apply would erase them from the
  // keyboard too.
  const bool from_keyboard =
      !FileExists(path) && ReadProfileFromKeyboard(Config(context), path) == 1;
  model::EditedConfig& edited = Config(context).edited;
  std::lock_guard lock(edited.mutex());
  if (LoadFileOrDefaults(edited, path) && from_keyboard) {
    edited.keyboard_macro_order = model::MacroIds(edited.macros);
  }
}

void AskToSaveEdits(ProfileSwitchContext& context) {
  const PromptAnswer answer = Config(context).prompter.Ask(
      context.profiles.texts.Text(TextKey::PROFILE_SELECT_PROMPT), PromptButtons::kYesNo);
  if (answer == PromptAnswer::kYes) {
    // Apply writes the edits to the profile that is still active.
    context.window.RunApply();
  } else {
    DiscardEdits(context);
  }
}

}  // namespace

void ProfileList::Clear() {
  entries_.clear();
  checked_ = 0;
}

void ProfileList::Append(Entry entry) {
  entries_.push_back(std::move(entry));
}

void ProfileList::Check(std::size_t position) {
  checked_ = position < entries_.size() ? position : entries_.size();
}

std::u16string ProfileList::CheckedText() const {
  return checked_ < entries_.size() ? entries_[checked_].text : std::u16string();
}

int SwitchProfile(ProfileSwitchContext& context, int target) {
  if (target >= kHardwareProfileFiles) target = 0;
  if (target < 0) return 0;
  ProfileSwitchPort& window = context.window;
  model::ConfigContext& config = Config(context);

  if (window.EditorOpenCount() > 0) {
    config.prompter.Ask(context.profiles.texts.Text(TextKey::PROFILE_SEELCT_PROMPT2),
                        PromptButtons::kOk);
    return 0;
  }

  if (window.ProfileManagerHasUnappliedChanges() || window.ApplyEnabled()) {
    if (g_save_question_guard == 0) {
      g_save_question_guard = 1;
      AskToSaveEdits(context);
    }
    g_save_question_guard = 0;
    SetActiveProfile(config.channel, config.app_state, target);
  } else {
    SetActiveProfile(config.channel, config.app_state, target);
    if (config.app_state.cached_profile.load() == target) window.ProfileManagerShowSwitched(target);
  }
  // The cache holds the new index only when the keyboard took it.
  const bool switched = config.app_state.cached_profile.load() == target;

  RefreshActiveKeyButtons(context);
  RefreshProfileIndicator(context, 0);
  return switched ? 1 : 0;
}

int ReloadActiveProfile(ProfileSwitchContext& context, int keep_apply) {
  model::ConfigContext& config = Config(context);
  DataFolder& folder = context.profiles.data_folder;
  folder.Ensure();
  const int active = ActiveProfile(context);
  std::filesystem::path path;
  if (active >= 0) {
    path = folder.ProfileFilePath(active);
    // When the keyboard cannot be read, its old file is not loaded either: the edits would
    // then describe something the keyboard may not hold.
    if (ReadProfileFromKeyboard(config, path) != 1) path.clear();
  }
  {
    std::lock_guard lock(config.edited.mutex());
    // Read back from the keyboard, the library is in the keyboard's order (ids 1..N).
    if (LoadFileOrDefaults(config.edited, path)) {
      config.edited.keyboard_macro_order = model::MacroIds(config.edited.macros);
    }
    RefreshActiveKeyButtons(context);
  }
  if (keep_apply == 0) context.window.SetApplyEnabled(false);
  return 1;
}

void RefreshProfileIndicator(ProfileSwitchContext& context, int create) {
  ProfileList& list = context.list;
  // The list lives as long as the window; the first call finds it empty, later ones refill it.
  (void)create;
  list.Clear();
  const LanguageTable& texts = context.profiles.texts;
  list.Append({texts.Text(TextKey::DEFAULT_PROFILE_NAME), false});
  list.Append({u"", true});
  for (int i = 0; i < kHardwareProfileFiles; ++i) {
    list.Append({context.profiles.data_folder.ProfileFilePath(i).filename().u16string(), false});
  }
  const int active = ActiveProfile(context);
  const std::size_t position = active < 0 || active >= kHardwareProfileFiles
                                   ? kDefaultEntry
                                   : kFirstProfileEntry + static_cast<std::size_t>(active);
  list.Check(position);
  const std::u16string text = list.CheckedText();
  context.window.SetProfileIndicator(text, texts.Text(TextKey::PROFILE_TIP) + text);
}

void RefreshActiveKeyButtons(ProfileSwitchContext& context) {
  const int active = ActiveProfile(context);
  // Undetermined after a failed switch: the buttons keep what they show.
  if (!model::IsValidProfile(active)) return;
  model::EditedConfig& edited = Config(context).edited;
  std::lock_guard lock(edited.mutex());
  context.window.ShowKeyButtons(model::RefreshKeyButtons(edited, active, context.bank.BankBit()));
}

}  // namespace tarvolin::profiles
