// tarvolinctl lighting show, set, reset and mask: the lighting panel's operations from the
// command line. The tool acts as the panel in lighting mode; it keeps that mode in memory and
// leaves the user's wskb.ini alone.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "lighting/default_key_masks.h"
#include "lighting/lighting_controller.h"
#include "lighting/mark_buttons.h"
#include "lighting/panel_control_ids.h"
#include "model/key_buttons.h"
#include "model/key_table.h"
#include "platform/memory_ini_store.h"
#include "platform/number_text.h"
#include "platform/utf8.h"
#include "tools/tarvolinctl/ctl_command.h"

namespace tarvolin::ctl {
namespace {

using lighting::LightingController;
using lighting::LightingState;

struct Session {
  explicit Session(device::DeviceChannel& channel)
      : controller(channel, {skin, language_file, user_settings}) {}
  // INI files that exist only for this run: the tool never touches the user's files.
  MemoryIniStore skin, language_file, user_settings;
  LightingController controller;
  const LightingState& state() const { return controller.state(); }
  int profile() const { return state().selected_profile; }
  const lighting::RecordBytes& record() const {
    return state().records[static_cast<std::size_t>(profile())];
  }
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string ColourText(std::uint32_t bbggrr) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", bbggrr & 0xFF, (bbggrr >> 8) & 0xFF,
                (bbggrr >> 16) & 0xFF);
  return text;
}

std::string ByteText(std::uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

bool ParseProfile(CtlContext& context, const std::string& text, int& profile) {
  long value = 0;
  if (!ParseNumber(text, 0, lighting::kProfileCount - 1, value)) {
    context.err << "profile must be 0, 1 or 2, not '" << text << "'\n";
    return false;
  }
  profile = static_cast<int>(value);
  return true;
}

// Reads the lighting of `profile` (the keyboard's active profile when none is given).
int Load(CtlContext& context, Session& session, std::optional<int> profile) {
  if (context.channel.DeviceCount() <= 0) {
    context.err << "no keyboard attached\n";
    return kExitNoKeyboard;
  }
  if (profile) {
    session.controller.SelectProfile(*profile);
  } else {
    session.controller.OnKeyboardAttached();
  }
  if (session.state().last_read != lighting::kReadDone) {
    context.err << "the keyboard's settings could not be read\n";
    return kExitFailure;
  }
  return kExitOk;
}

// Reads the keyboard again and checks that the selected record holds `expected` from
// `offset` on: the writes' own results are not examined, the keyboard's memory is.
int VerifyRecord(CtlContext& context, Session& session, std::uint8_t offset,
                 std::span<const std::uint8_t> expected, const char* what) {
  if (session.controller.ReadLighting() != lighting::kReadDone) {
    context.err << "the keyboard could not be read back after writing " << what << '\n';
    return kExitFailure;
  }
  if (!std::equal(expected.begin(), expected.end(), session.record().begin() + offset)) {
    context.err << "the keyboard did not keep " << what << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

std::string ButtonName(const lighting::MarkButton& button) {
  if (button.button_id == lighting::kFnButton) return "Fn";
  if (button.key_code != 0) return EncodeUtf8(model::KeyName(button.key_code));
  const auto j = model::GKeyIndex(static_cast<std::uint16_t>(button.button_id));
  return j ? EncodeUtf8(model::GKeyName(*j)) : std::to_string(button.button_id);
}

// A key by its name ("A", "Page Up", "Fn", "G3") or its button id.
std::optional<lighting::MarkButton> ResolveKey(const std::string& text) {
  long id = 0;
  if (ParseNumber(text, 0, 65535, id)) return lighting::FindMarkButton(static_cast<int>(id));
  const std::string wanted = Lower(text);
  for (const lighting::MarkButton& button : lighting::MarkButtons()) {
    if (Lower(ButtonName(button)) == wanted) return button;
  }
  return std::nullopt;
}

void PrintMask(CtlContext& context, const Session& session, int user_mode) {
  const auto& page = session.state().masks.page(session.profile());
  const std::size_t offset = static_cast<std::size_t>(user_mode) * lighting::kMaskSize;
  context.out << "profile " << session.profile() << " user mode " << user_mode
              << " mask: " << Hex(page.data() + offset, lighting::kMaskSize) << "\nlit keys:";
  int lit = 0;
  for (const lighting::MarkButton& button : lighting::MarkButtons()) {
    if (!button.markable) continue;
    if (!session.state().masks.IsLit(session.profile(), user_mode, button.position)) continue;
    context.out << (lit++ == 0 ? " " : ", ") << ButtonName(button);
  }
  context.out << (lit == 0 ? " none" : "") << '\n';
}

int Show(CtlContext& context, Args args) {
  if (args.size() > 1) return kExitUsage;
  std::optional<int> profile;
  if (args.size() == 1) {
    int p = 0;
    if (!ParseProfile(context, args[0], p)) return kExitUsage;
    profile = p;
  }
  Session session(context.channel);
  if (const int code = Load(context, session, profile); code != kExitOk) return code;
  const LightingState& state = session.state();
  const lighting::LightingFields& f = state.fields;
  std::ostream& out = context.out;
  out << "profile: " << state.selected_profile << " (active " << state.settings.ActiveProfile()
      << ")\neffects offered:";
  for (const auto& entry : state.effects.entries()) out << ' ' << int{entry.effect};
  out << "\nper-key marking: " << (state.per_key_support ? "yes" : "no") << '\n'
      << "effect: " << int{f.effect}
      << (lighting::IsKnownEffect(f.effect) ? "" : " (unknown to this program)") << '\n'
      << "brightness: " << int{f.brightness} << '\n'
      << "speed: " << int{f.speed} << '\n'
      << "user mode: " << int{f.user_mode} << '\n'
      << "direction: " << ByteText(f.direction)
      << (f.direction == lighting::kDirectionLeft    ? " (left)"
          : f.direction == lighting::kDirectionRight ? " (right)"
                                                     : "")
      << '\n'
      << "report rate: " << int{f.report_rate} << " (button " << f.report_rate + 1 << ")\n"
      << "tool: " << (f.user_tool == lighting::kToolErase ? "erase" : "paint") << '\n'
      << "colour A: " << ColourText(f.colour_a) << '\n'
      << "base colour: " << ColourText(f.base_colour) << '\n'
      << "colour B: " << ColourText(f.colour_b) << '\n'
      << "colour C: " << ColourText(f.colour_c) << (f.colour_c_multicolour ? " multicolour" : "")
      << '\n'
      << "colour D: " << ColourText(f.colour_d) << (f.colour_d_multicolour ? " multicolour" : "")
      << '\n'
      << "colour preset: " << int{f.colour_preset} << '\n'
      << "trigger: " << (f.trigger == 1 ? "key area" : "single key") << '\n'
      << "record: " << Hex(session.record().data(), session.record().size()) << '\n';
  return kExitOk;
}

std::optional<std::uint8_t> ParseDirection(const std::string& text) {
  const std::string word = Lower(text);
  if (word == "left" || word == "up" || word == "diffuse") return lighting::kDirectionLeft;
  if (word == "right" || word == "down" || word == "converge") return lighting::kDirectionRight;
  long value = 0;
  if (ParseNumber(text, 0, 255, value) && (value == 0 || value == 255)) {
    return static_cast<std::uint8_t>(value);
  }
  return std::nullopt;
}

int Set(CtlContext& context, Args args) {
  if (args.size() != 3) return kExitUsage;
  int profile = 0;
  if (!ParseProfile(context, args[0], profile)) return kExitUsage;
  const std::string field = Lower(args[1]);
  const std::string& text = args[2];

  Session session(context.channel);
  if (const int code = Load(context, session, profile); code != kExitOk) return code;
  LightingController& controller = session.controller;
  const lighting::LightingFields& f = session.state().fields;
  long value = 0;
  std::uint8_t offset = 0;
  std::uint8_t written = 0;

  auto unchanged = [&](int current) {
    context.out << "profile " << profile << ": " << field << " is already " << current
                << "; nothing written\n";
    return kExitOk;
  };
  auto bad_value = [&](const char* allowed) {
    context.err << field << " must be " << allowed << ", not '" << text << "'\n";
    return kExitUsage;
  };

  if (field == "effect") {
    if (!ParseNumber(text, 1, 255, value)) return bad_value("an effect number");
    const int position = session.state().effects.PositionOf(static_cast<int>(value));
    if (position < 0) {
      context.err << "the keyboard does not offer effect " << value << '\n';
      return kExitFailure;
    }
    if (!lighting::IsKnownEffect(static_cast<int>(value))) {
      context.err << "effect " << value << " is not one this program knows; nothing written\n";
      return kExitFailure;
    }
    controller.SelectEffectPosition(position);
    offset = lighting::field::kEffect;
  } else if (field == "brightness") {
    if (!ParseNumber(text, 0, 4, value)) return bad_value("0..4");
    if (value == f.brightness) return unchanged(f.brightness);
    controller.MoveBrightnessSlider(static_cast<int>(value));
    offset = lighting::field::kBrightness;
  } else if (field == "speed") {
    if (!ParseNumber(text, 0, 4, value)) return bad_value("0..4");
    if (value == f.speed) return unchanged(f.speed);
    controller.MoveSpeedSlider(lighting::SpeedOfSliderPosition(static_cast<int>(value)));
    offset = lighting::field::kSpeed;
  } else if (field == "direction") {
    const auto direction = ParseDirection(text);
    if (!direction) return bad_value("left (0xFF) or right (0x00)");
    value = *direction;
    controller.ChooseDirection(*direction);
    offset = lighting::field::kDirection;
  } else if (field == "report-rate") {
    if (!ParseNumber(text, 0, lighting::kMaxReportRate, value)) return bad_value("0..3");
    controller.ChooseReportRate(static_cast<int>(value));
    offset = lighting::field::kReportRate;
  } else if (field == "user-mode") {
    if (!ParseNumber(text, 0, lighting::control::kUserModeListEntries - 1, value)) {
      return bad_value("0..3");
    }
    controller.SetLightingMode(true);  // the user mode is chosen in lighting mode only
    controller.ChooseUserMode(static_cast<int>(value));
    offset = lighting::field::kUserMode;
  } else if (field == "tool") {
    const std::string word = Lower(text);
    if (word == "paint" || word == "0") {
      value = lighting::kToolPaint;
    } else if (word == "erase" || word == "1") {
      value = lighting::kToolErase;
    } else {
      return bad_value("paint or erase");
    }
    controller.ChooseTool(static_cast<std::uint8_t>(value));
    offset = lighting::field::kUserTool;
  } else {
    context.err << "unknown field '" << args[1]
                << "' (effect, brightness, speed, direction, report-rate, user-mode, tool)\n";
    return kExitUsage;
  }

  written = static_cast<std::uint8_t>(value);
  const std::uint8_t expected[1] = {written};
  if (const int code = VerifyRecord(context, session, offset, expected, field.c_str());
      code != kExitOk) {
    return code;
  }
  context.out << "profile " << profile << ": " << field << " = "
              << (field == "direction" ? ByteText(written) : std::to_string(written))
              << " written at address " << lighting::FieldAddress(profile, offset) << '\n';
  return kExitOk;
}

int Reset(CtlContext& context, Args args) {
  if (args.size() != 1) return kExitUsage;
  int profile = 0;
  if (!ParseProfile(context, args[0], profile)) return kExitUsage;
  Session session(context.channel);
  if (const int code = Load(context, session, profile); code != kExitOk) return code;
  session.controller.SetLightingMode(true);  // restore defaults resets lighting in this mode
  session.controller.OnRestoreDefaults();
  const bool masks_reset = session.state().per_key_support;

  if (const int code =
          VerifyRecord(context, session, 0, lighting::kDefaultRecordBytes, "the default record");
      code != kExitOk) {
    return code;
  }
  if (masks_reset && session.state().masks.page(profile) != lighting::kDefaultMaskPage) {
    context.err << "the keyboard did not keep the default key masks\n";
    return kExitFailure;
  }
  context.out << "profile " << profile << ": lighting reset to the default record"
              << (masks_reset ? " and the default key masks" : "") << '\n';
  return kExitOk;
}

int Mask(CtlContext& context, Args args) {
  if (args.size() < 2 || args.size() > 4) return kExitUsage;
  int profile = 0;
  if (!ParseProfile(context, args[0], profile)) return kExitUsage;
  long mode = 0;
  if (!ParseNumber(args[1], 0, lighting::kUserModeCount - 1, mode)) {
    context.err << "user mode must be 0..9, not '" << args[1] << "'\n";
    return kExitUsage;
  }
  const int user_mode = static_cast<int>(mode);
  const std::string action = args.size() > 2 ? Lower(args[2]) : "";
  const bool needs_key = action == "set" || action == "unset";
  if (args.size() == 2 ? false : needs_key ? args.size() != 4 : args.size() != 3) {
    return kExitUsage;
  }
  if (!action.empty() && action != "fill" && action != "clear" && !needs_key) return kExitUsage;

  std::optional<lighting::MarkButton> button;
  if (needs_key) {
    button = ResolveKey(args[3]);
    if (!button || !button->markable) {
      context.err << "'" << args[3] << "' is not a key that can be marked\n";
      return kExitUsage;
    }
  }

  Session session(context.channel);
  if (const int code = Load(context, session, profile); code != kExitOk) return code;
  if (!session.state().per_key_support) {
    context.err << "the keyboard keeps no key masks (it does not offer effect 254)\n";
    return kExitFailure;
  }
  if (action.empty()) {
    PrintMask(context, session, user_mode);
    return kExitOk;
  }

  if (user_mode >= lighting::control::kUserModeListEntries) {
    context.err << "only user modes 0..3 can be chosen for marking\n";
    return kExitUsage;
  }
  if (session.state().fields.effect != lighting::kPerKeyEffect) {
    context.err << "profile " << profile << " shows effect " << int{session.state().fields.effect}
                << "; marks are edited on the per-key effect: first run\n"
                << "  tarvolinctl lighting set " << profile << " effect 254\n";
    return kExitFailure;
  }

  LightingController& controller = session.controller;
  controller.SetLightingMode(true);
  if (session.state().fields.user_mode != user_mode) {
    controller.ChooseUserMode(user_mode);
    context.out << "profile " << profile << ": user mode " << user_mode << " selected\n";
  }
  if (action == "fill") {
    controller.FillMask();
  } else if (action == "clear") {
    controller.ClearMask();
  } else {
    const std::uint8_t tool = action == "set" ? lighting::kToolPaint : lighting::kToolErase;
    if (session.state().fields.user_tool != tool) controller.ChooseTool(tool);
    controller.ClickMarkButton(button->button_id);
  }

  const lighting::MaskPage expected = session.state().masks.page(profile);
  if (session.controller.ReadLighting() != lighting::kReadDone ||
      session.state().masks.page(profile) != expected) {
    context.err << "the keyboard did not keep the key mask\n";
    return kExitFailure;
  }
  PrintMask(context, session, user_mode);
  return kExitOk;
}

int Lighting(CtlContext& context, Args args) {
  if (args.empty()) return kExitUsage;
  const std::string& verb = args[0];
  if (verb == "show") return Show(context, args.subspan(1));
  if (verb == "set") return Set(context, args.subspan(1));
  if (verb == "reset") return Reset(context, args.subspan(1));
  if (verb == "mask") return Mask(context, args.subspan(1));
  context.err << "unknown lighting command '" << verb << "'\n";
  return kExitUsage;
}

}  // namespace

std::vector<CtlCommand> LightingCommands() {
  return {{"lighting",
           "lighting show [PROFILE] | set PROFILE FIELD VALUE | reset PROFILE |\n"
           "           mask PROFILE MODE [fill|clear|set KEY|unset KEY]\n"
           "      profiles 0..2; fields effect, brightness 0..4, speed 0..4, direction\n"
           "      left|right, report-rate 0..3, user-mode 0..3, tool paint|erase;\n"
           "      KEY a key name (A, \"Page Up\", Fn, G1..G5) or button id",
           Lighting}};
}

}  // namespace tarvolin::ctl
