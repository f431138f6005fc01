// tarvolinctl profile ...: profile files read, checked, rendered as JSON and built back, the
// keyboard's configuration saved as a profile file, an import without dialogs, and the
// active hardware profile.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "device/commands.h"
#include "model/download.h"
#include "model/key_assignment.h"
#include "model/key_map.h"
#include "platform/number_text.h"
#include "platform/utf8.h"
#include "profiles/data_folder.h"
#include "profiles/file_io.h"
#include "profiles/import_export.h"
#include "profiles/keyboard_profile.h"
#include "profiles/profile_file.h"
#include "profiles/profile_json.h"
#include "tools/tarvolinctl/ctl_command.h"
#include "tools/tarvolinctl/keyboard_connection.h"

#ifdef _WIN32
#include "profiles/win32/documents_folder.h"
#endif

namespace tarvolin::ctl {
namespace {

namespace fs = std::filesystem;
using namespace tarvolin::profiles;

// Messages the routines would show in a message box go to the error stream.
class ConsolePrompter final : public Prompter {
 public:
  explicit ConsolePrompter(std::ostream& err) : err_(err) {}
  PromptAnswer Ask(std::u16string_view text, PromptButtons buttons) override {
    err_ << "message: " << EncodeUtf8(text) << '\n';
    return buttons == PromptButtons::kOk ? PromptAnswer::kOk : PromptAnswer::kNo;
  }

 private:
  std::ostream& err_;
};

fs::path PathArgument(const std::string& text) {
  return fs::path(DecodeUtf8Lossy(text));
}

std::string Shown(const fs::path& path) {
  return EncodeUtf8(path.u16string());
}

// $TARVOLIN_DOCUMENTS, else the shell's documents folder on Windows and ~/Documents (or the
// home folder) elsewhere.
fs::path DocumentsFolder() {
  if (const char* documents = std::getenv("TARVOLIN_DOCUMENTS"); documents && *documents) {
    return PathArgument(documents);
  }
#ifdef _WIN32
  if (auto folder = profiles::win32::DocumentsFolder()) return *folder;
  return fs::current_path();
#else
  const char* home = std::getenv("HOME");
  const fs::path base = home != nullptr ? fs::path(home) : fs::current_path();
  std::error_code error;
  return fs::is_directory(base / "Documents", error) ? base / "Documents" : base;
#endif
}

std::optional<std::string> ReadTextFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunDump(CtlContext& context, Args args) {
  if (args.size() != 1) return kExitUsage;
  const fs::path path = PathArgument(args[0]);
  const FileBytes file = ReadFileBytes(path, kMaxProfileFileBytes);
  if (file.status != ReadStatus::kOk) {
    context.err << Shown(path) << ": " << DescribeProfileFileCheck(CheckProfileFile(path)) << '\n';
    return kExitFailure;
  }
  std::string error;
  const std::optional<std::string> json = ProfileFileToJson(file.bytes, error);
  if (!json) {
    context.err << Shown(path) << ": " << error << '\n';
    return kExitFailure;
  }
  context.out << *json;
  if (const ProfileFileCheck check = CheckProfileFile(path); check.result != 1) {
    context.err << "note: the program refuses this file: " << DescribeProfileFileCheck(check)
                << '\n';
  }
  return kExitOk;
}

int RunBuild(CtlContext& context, Args args) {
  if (args.size() != 3 || args[1] != "-o") return kExitUsage;
  const fs::path json_path = PathArgument(args[0]);
  const fs::path output = PathArgument(args[2]);
  const std::optional<std::string> json = ReadTextFile(json_path);
  if (!json) {
    context.err << Shown(json_path) << ": cannot be read\n";
    return kExitFailure;
  }
  std::string error;
  const std::optional<std::vector<std::uint8_t>> bytes = ProfileFileFromJson(*json, error);
  if (!bytes) {
    context.err << Shown(json_path) << ": " << error << '\n';
    return kExitFailure;
  }
  if (!ReplaceFileContents(output, {*bytes})) {
    context.err << Shown(output) << ": cannot be written\n";
    return kExitFailure;
  }
  context.out << "wrote " << bytes->size() << " bytes to " << Shown(output) << '\n';
  if (const ProfileFileCheck check = CheckProfileFile(output); check.result != 1) {
    context.err << "note: the program refuses this file: " << DescribeProfileFileCheck(check)
                << '\n';
  }
  return kExitOk;
}

int RunValidate(CtlContext& context, Args args) {
  if (args.size() != 1) return kExitUsage;
  const fs::path path = PathArgument(args[0]);
  const ProfileFileCheck check = CheckProfileFile(path);
  if (check.result != 1) {
    context.out << "invalid (" << check.result << "): " << DescribeProfileFileCheck(check) << '\n';
    return kExitFailure;
  }
  const FileBytes head = ReadFileBytes(path, kFileHeaderBytes);
  const ProfileFileHeader header =
      ProfileFileHeader::Parse(std::span<const std::uint8_t>(head.bytes).first<kFileHeaderBytes>());
  context.out << "valid: " << check.file_size << " bytes, " << header.macro_count << " macros, "
              << header.string_bytes << " string bytes, flag " << unsigned{header.flag};
  if (check.file_size > check.total_size) {
    context.out << ", " << check.file_size - check.total_size << " bytes past the total size";
  }
  context.out << '\n';
  return kExitOk;
}

// The keyboard as the program sees it after an attach: its default layout and macro space.
struct KeyboardSession {
  explicit KeyboardSession(CtlContext& context)
      : prompter(context.err), config{context.channel, prompter,        edited,
                                      applied,         default_key_map, app_state} {}

  bool Attach(CtlContext& context) {
    if (!ConnectKeyboard(context.channel)) {
      context.err << "the HID library Quorlink.dll could not be loaded\n";
      return false;
    }
    connected = true;
    model::KeyMapBlock layout{};
    int result = device::ReadDefaultLayout(context.channel, layout.data());
    if (result == device::kResultOk) {
      default_key_map.Set(layout);
      device::SettingsBlock settings;
      result = device::ReadSettings(context.channel, settings);
      if (result == device::kResultOk) app_state.macro_space = settings.MacroSpaceBytes();
    }
    if (result != device::kResultOk) {
      context.err << "the keyboard does not answer (" << result << ")\n";
      exit_code = ExitCodeOf(result);
      return false;
    }
    return true;
  }

  ~KeyboardSession() {
    if (connected) DisconnectKeyboard();
  }

  ConsolePrompter prompter;
  model::EditedConfig edited;
  model::AppliedConfig applied;
  model::DefaultKeyMap default_key_map;
  AppState app_state;
  model::ConfigContext config;
  bool connected = false;
  int exit_code = kExitFailure;
};

int RunFromKeyboard(CtlContext& context, Args args) {
  if (args.size() != 1) return kExitUsage;
  KeyboardSession session(context);
  if (!session.Attach(context)) return session.exit_code;
  const fs::path path = PathArgument(args[0]);
  if (ReadProfileFromKeyboard(session.config, path) != 1) {
    context.err << "the keyboard's configuration could not be read or " << Shown(path)
                << " not written\n";
    return kExitFailure;
  }
  const ProfileFileCheck check = CheckProfileFile(path);
  context.out << "wrote " << Shown(path) << " (" << check.file_size << " bytes, "
              << (check.file_size - kProfileSetBytes) / kMacroRecordBytes << " macros)\n";
  return kExitOk;
}

// Why the import was not saved as the active profile's file, as far as can be told after it.
std::string WhyNotSaved(DataFolder& data_folder, int active) {
  if (active < 0) return "the keyboard's active profile could not be read";
  const fs::path path = data_folder.ProfileFilePath(active);
  if (!FileExists(path)) {
    std::error_code error;
    if (fs::is_directory(path, error)) return Shown(path) + " is a folder";
    return "no such file: " + Shown(path) + " (import keeps an existing file current only)";
  }
  if (IsReadOnlyFile(path)) return Shown(path) + " is read-only";
  return Shown(path) + " could not be written (no permission, or the disk is full)";
}

int RunApply(CtlContext& context, Args args) {
  if (args.size() != 1) return kExitUsage;
  KeyboardSession session(context);
  if (!session.Attach(context)) return session.exit_code;
  DataFolder data_folder(DocumentsFolder());
  ProfileContext profile_context{data_folder, session.config};
  const ImportResult result = ImportProfileFrom(profile_context, PathArgument(args[0]));
  if (!result.loaded) return kExitFailure;
  const int active = model::QueryActiveProfile(context.channel, session.app_state);
  context.out << "imported " << args[0] << "\n"
              << "saved as the active profile's file: "
              << (result.saved == 1 ? Shown(data_folder.ProfileFilePath(active))
                                    : "no (" + WhyNotSaved(data_folder, active) + ")")
              << "\nwritten to the keyboard: " << (result.applied == 1 ? "yes" : "no") << '\n';
  return result.applied == 1 ? kExitOk : kExitFailure;
}

int RunActive(CtlContext& context, Args args) {
  long wanted = -1;
  if (args.size() > 1 ||
      (args.size() == 1 && !ParseNumber(args[0], 0, model::kHardwareProfileCount - 1, wanted))) {
    context.err << "profile active takes a hardware profile 0, 1 or 2\n";
    return kExitUsage;
  }
  KeyboardSession session(context);
  if (!ConnectKeyboard(context.channel)) {
    context.err << "the HID library Quorlink.dll could not be loaded\n";
    return kExitFailure;
  }
  session.connected = true;
  if (wanted >= 0) SetActiveProfile(context.channel, session.app_state, static_cast<int>(wanted));
  const int active = model::QueryActiveProfile(context.channel, session.app_state);
  if (active < 0) {
    context.err << "the keyboard does not answer\n";
    return kExitNoKeyboard;
  }
  context.out << "active profile " << active << '\n';
  return wanted < 0 || active == wanted ? kExitOk : kExitFailure;
}

int RunProfile(CtlContext& context, Args args) {
  if (args.empty()) return kExitUsage;
  const std::string& verb = args[0];
  const Args rest = args.subspan(1);
  if (verb == "dump") return RunDump(context, rest);
  if (verb == "build") return RunBuild(context, rest);
  if (verb == "validate") return RunValidate(context, rest);
  if (verb == "from-keyboard") return RunFromKeyboard(context, rest);
  if (verb == "apply") return RunApply(context, rest);
  if (verb == "active") return RunActive(context, rest);
  context.err << "unknown profile command '" << verb << "'\n";
  return kExitUsage;
}

}  // namespace

std::vector<CtlCommand> ProfileCommands() {
  // The file commands need no keyboard; the others connect on their own.
  return {
      {"profile",
       "profile dump FILE         a profile file as JSON (header, assignments, macros, texts)\n"
       "  profile build JSON -o FILE  the profile file a JSON rendering stands for\n"
       "  profile validate FILE     check a profile file as import does, with the reason\n"
       "  profile from-keyboard FILE  save the keyboard's configuration as a profile file\n"
       "  profile apply FILE        import a profile file: save it and write it to the keyboard\n"
       "  profile active [N]        show, or set (0..2), the keyboard's active profile",
       RunProfile, false},
  };
}

}  // namespace tarvolin::ctl
