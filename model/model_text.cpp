#include "model/model_text.h"

#include <array>
#include <mutex>
#include <utility>

namespace tarvolin::model {
namespace {

struct BuiltInText {
  std::string_view key;
  std::u16string_view text;
};

constexpr std::array kBuiltInTexts = {
    BuiltInText{"UNKNOWN_KEY", u"Unknown Key: %03x"},
    BuiltInText{"MEDIA_PALYER_1", u"Hello world"},
    BuiltInText{"MEDIA_PALY_PAUSE_2", u"Hello world"},
    BuiltInText{"MEDIA_STOP_PALY_3", u"Hello world"},
    BuiltInText{"MEDIA_PREV_TRACK_4", u"Hello world"},
    BuiltInText{"MEDIA_Next_TRACK_5", u"Hello world"},
    BuiltInText{"MEDIA_V_LOW_6", u"Hello world"},
    BuiltInText{"MEDIA_V_ADD_7", u"Hello world"},
    BuiltInText{"MEDIA_MUTE_8", u"Hello world"},
    BuiltInText{"MEDIA_WWW_HOME_9", u"Hello world"},
    BuiltInText{"MEDIA_WWW_REFRESH_10", u"Hello world"},
    BuiltInText{"MEDIA_WWW_STOP_11", u"Hello world"},
    BuiltInText{"MEDIA_WWW_BACK_12", u"Hello world"},
    BuiltInText{"MEDIA_WWW_FORWARD_13", u"Hello world"},
    BuiltInText{"MEDIA_WWW_FAVORITE_14", u"Hello world"},
    BuiltInText{"MEDIA_WWW_SEARCH_15", u"Hello world"},
    BuiltInText{"MEDIA_MY_PC_16", u"Hello world"},
    BuiltInText{"MEDIA_CALC_17", u"Hello world"},
    BuiltInText{"MEDIA_MAIL_18", u"Hello world"},
    BuiltInText{"FUNC_KEY_DESC1", u"Open"},
    BuiltInText{"FUNC_KEY_DESC2", u"New"},
    BuiltInText{"FUNC_KEY_DESC3", u"Undo"},
    BuiltInText{"FUNC_KEY_DESC4", u"Save"},
    BuiltInText{"FUNC_KEY_DESC5", u"Copy"},
    BuiltInText{"FUNC_KEY_DESC6", u"Cut"},
    BuiltInText{"FUNC_KEY_DESC7", u"Paste"},
    BuiltInText{"FUNC_KEY_DESC8", u"Find"},
    BuiltInText{"FUNC_KEY_DESC9", u"Select All"},
    BuiltInText{"FUNC_KEY_DESC10", u"Zoom-"},
    BuiltInText{"FUNC_KEY_DESC11", u"Zoom+"},
    BuiltInText{"KEY_PROMPT_SET", u"Keys, Set: "},
    BuiltInText{"KEY_PROMPT_SINGLE", u"Key("},
    BuiltInText{"KEY_PROMPT_MACRO", u"Macro("},
    BuiltInText{"KEY_PROMPT_MEDIA", u"Media("},
    BuiltInText{"KEY_PROMPT_FUNCTION", u"Function("},
    BuiltInText{"EXTRA_MACRO_TOO_LONG",
                u"Macro space exceeds the hardware space.\r\n Please reduce the number of macros "
                u"or macro action number\uFF0Cand then download."},
    BuiltInText{"EXTRA_PROFILE_SPACE_TIGHT",
                u"shortage of hardware space, cancelled the macro name of storage."},
    BuiltInText{"MACRO_NEW_PREFIX", u"Macro"},
};

// Set once by the shell at start-up, read from the UI and attach threads.
struct LookupHolder {
  std::mutex mutex;
  TextLookup lookup;
};

LookupHolder& Holder() {
  static LookupHolder holder;
  return holder;
}

}  // namespace

void SetModelTextLookup(TextLookup lookup) {
  LookupHolder& holder = Holder();
  std::lock_guard lock(holder.mutex);
  holder.lookup = std::move(lookup);
}

std::u16string ModelText(std::string_view key) {
  TextLookup lookup;
  {
    LookupHolder& holder = Holder();
    std::lock_guard lock(holder.mutex);
    lookup = holder.lookup;
  }
  if (lookup) return lookup(key);
  return std::u16string(BuiltInModelText(key));
}

std::u16string_view BuiltInModelText(std::string_view key) {
  for (const BuiltInText& entry : kBuiltInTexts) {
    if (entry.key == key) return entry.text;
  }
  return {};
}

std::string FunctionTextKey(int index) {
  return "FUNC_KEY_DESC" + std::to_string(index + 1);
}

}  // namespace tarvolin::model
