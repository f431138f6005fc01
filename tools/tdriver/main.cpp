// tdriver: drives the running program from outside for the end-to-end tests (see usage).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/number_text.h"
#include "platform/win32/wide_text.h"
#include "tools/tdriver/apply_loop.h"
#include "tools/tdriver/composite_dialog.h"
#include "tools/tdriver/dialog_commands.h"
#include "tools/tdriver/macro_pane_queries.h"
#include "tools/tdriver/message_box.h"
#include "tools/tdriver/panel_queries.h"
#include "tools/tdriver/process_stats.h"
#include "tools/tdriver/round_trip.h"
#include "tools/tdriver/session_objects.h"
#include "tools/tdriver/target_process.h"
#include "tools/tdriver/window_queries.h"

namespace tarvolin::tdriver {
namespace {

constexpr char kUsage[] =
    "usage: tdriver [--exe NAME] COMMAND ...   (NAME defaults to Tarvolin.exe)\n"
    "queries, printed as name=value lines; exit 1 when the thing asked about is absent:\n"
    "  main            the marked main window: present, hwnd, pid\n"
    "  state ID        control ID of the main window (0 = the window): present, visible,\n"
    "                  enabled, checked (BM_GETCHECK), rect (screen pixels), caption\n"
    "  panel ID        lighting panel control or key ID: present, visible, picture (file\n"
    "                  shown), position (slider), selection, count, items (lists), frame\n"
    "                  (key-mark frame: the COLORREF in 6 hex digits, or none)\n"
    "  visible-among ID,ID,...  visible: those of the main window's controls that are visible\n"
    "  tray            the tray icon id in the main window's TarvolinTrayIcon property\n"
    "  windows         top-level windows of the processes: windows, visible (and a listing)\n"
    "  msgbox          the program's message box: present, buttons, default, title, text\n"
    "  processes       count of running processes of NAME\n"
    "  stats           working set, GDI/USER objects, CPU time of the main window's process\n"
    "  mutex NAME      whether a named mutex exists: present\n"
    "  documents       the user's documents folder: path, and unix (its host path under Wine)\n"
    "  pane ID         control ID of the dialog with the macro pane (0 = the dialog): the state\n"
    "                  fields; the action list 1019 adds rows, selected, editing\n"
    "  pane-steps      every row of the macro action list (key, down/up, delay per line)\n"
    "  pane-row N      row N of the macro action list: key, direction, delay, rect0..rect2\n"
    "  dialog ID       control ID of the composite key dialog (0 = the dialog), as state,\n"
    "                  with selection and count for lists\n"
    "  get QUERY [ID] FIELD                 print one field's value\n"
    "  wait MS QUERY [ID] FIELD=VALUE|FIELD~=TEXT ...\n"
    "                  poll until every expectation holds; exit 1 after MS milliseconds\n"
    "actions, exit 1 when the target is missing:\n"
    "  click ID        BM_CLICK (posted)     mouse-click ID   button down and up at its centre\n"
    "  select ID N     pick entry N of drop-down list ID as a user does\n"
    "  command ID      WM_COMMAND ID (posted) to the main window\n"
    "  pane-click ID   BM_CLICK (posted) to control ID of the macro pane's dialog\n"
    "  pane-show-row N scroll the macro action list until row N is in view\n"
    "  post MSG [WPARAM [LPARAM]]   send MSG [WPARAM [LPARAM]]   (send waits at most 5 s)\n"
    "                  MSG: open, kill, init, profile, bank (each with its own code as\n"
    "                  WPARAM) or a number\n"
    "  answer BUTTON   press yes, no, ok or cancel in the program's message box\n"
    "  close [HWND]    post WM_CLOSE to that window, or to every visible top-level window of\n"
    "                  the processes\n"
    "  dialog-text ID TEXT, dialog-select ID INDEX, dialog-front\n"
    "                  in the composite key dialog\n"
    "  keystate VK     whether the system sees that virtual key down: down\n"
    "  taskbar-created broadcast the \"TaskbarCreated\" message as a restarting shell does\n";

struct PrivateMessage {
  UINT message;
  WPARAM code;
};
const std::map<std::string, PrivateMessage> kPrivateMessages{
    {"open", {0x5350, 0x4F50454E}}, {"kill", {0x4D4B, 0x4C4C494B}},
    {"init", {0x4D4E, 0x494E4954}}, {"profile", {0x5452, 0x50524F46}},
    {"bank", {0x5045, 0x004C4544}},
};

std::optional<long> Number(const std::string& text) {
  long value = 0;
  if (!ParseNumber(text, LONG_MIN, LONG_MAX, value)) {
    // Codes such as 0xFFFFFFFF read as unsigned 32-bit values.
    unsigned long long wide = 0;
    if (text.rfind("0x", 0) != 0 || text.size() > 10 ||
        sscanf(text.c_str(), "0x%llx", &wide) != 1) {
      return std::nullopt;
    }
    return static_cast<long>(static_cast<unsigned long>(wide));
  }
  return value;
}

struct Query {
  std::string name;
  int id = 0;        // state
  std::string text;  // mutex
  bool takesId = false;
};

class Driver {
 public:
  explicit Driver(std::wstring exe) : exe_(std::move(exe)) {}

  // Answers one query; `listing` collects the extra lines of "windows".
  Fields Ask(const Query& q, std::string* listing = nullptr) const {
    if (q.name == "mutex") return MutexState(win32::WideFromUtf8(q.text));
    if (q.name == "documents") return DocumentsFolder();
    const std::vector<DWORD> ids = ProcessIds(exe_);
    if (q.name == "processes") return {{"count", std::to_string(ids.size())}};
    if (q.name == "windows") return TopLevelSummary(ids, listing);
    if (q.name == "msgbox") return MessageBoxState(FindMessageBox(ids));
    if (q.name == "dialog") return CompositeControlState(ids, q.id);
    HWND main = FindMainWindow(ids);
    if (q.name == "main") {
      if (main == nullptr) return {{"present", "0"}};
      char handle[32];
      snprintf(handle, sizeof handle, "0x%llx",
               static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(main)));
      return {{"present", "1"}, {"hwnd", handle}, {"pid", std::to_string(WindowProcessId(main))}};
    }
    if (q.name == "pane") return PaneControlState(FindMacroPaneDialog(ids), q.id);
    if (q.name == "pane-row") return PaneRow(FindMacroPaneDialog(ids), q.id);
    if (q.name == "pane-steps") return PaneSteps(FindMacroPaneDialog(ids), listing);
    if (q.name == "stats") {
      if (main != nullptr) return ProcessStats(WindowProcessId(main));
      return ids.empty() ? Fields{{"present", "0"}} : ProcessStats(ids.front());
    }
    if (main == nullptr) return {{"present", "0"}};
    if (q.name == "state") return ControlState(ControlOf(main, q.id));
    if (q.name == "tray") return TrayState(main);
    if (q.name == "panel") return PanelState(ControlOf(main, q.id));
    if (q.name == "visible-among") return VisibleAmong(main, q.text);
    return {};
  }

  HWND Main() const { return FindMainWindow(ProcessIds(exe_)); }
  HWND Box() const { return FindMessageBox(ProcessIds(exe_)); }

 private:
  std::wstring exe_;
};

// Queries that take one argument: "state" a control id, "mutex" a name.
bool IsQuery(const std::string& name, bool& takesArgument) {
  takesArgument = name == "state" || name == "panel" || name == "mutex" ||
                  name == "visible-among" || name == "pane" || name == "pane-row" ||
                  name == "dialog";
  return takesArgument || name == "main" || name == "tray" || name == "windows" ||
         name == "msgbox" || name == "pane-steps" || name == "processes" || name == "stats" ||
         name == "documents";
}

bool Absent(const Fields& fields) {
  return fields.empty() || (fields.front().first == "present" && fields.front().second == "0");
}

int Fail(const char* what) {
  fprintf(stderr, "tdriver: %s\n", what);
  return 2;
}

int Run(std::vector<std::string> args) {
  std::wstring exe = L"Tarvolin.exe";
  if (args.size() >= 2 && args[0] == "--exe") {
    exe = win32::WideFromUtf8(args[1]);
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty() || args[0] == "help" || args[0] == "--help") {
    fputs(kUsage, args.empty() ? stderr : stdout);
    fputs(kDialogUsage, args.empty() ? stderr : stdout);
    fputs(kRoundTripUsage, args.empty() ? stderr : stdout);
    fputs(kApplyLoopUsage, args.empty() ? stderr : stdout);
    return args.empty() ? 64 : 0;
  }
  if (const int status = RunDialogCommand(args, exe); status >= 0) return status;
  if (const int status = RunRoundTripCommand(args, exe); status >= 0) return status;
  if (const int status = RunApplyLoopCommand(args, exe); status >= 0) return status;
  const Driver driver(exe);
  const std::string command = args[0];
  size_t next = 1;
  // Reads "QUERY [ID]" at args[next].
  const auto readQuery = [&](Query& q) -> bool {
    if (next >= args.size() || !IsQuery(args[next], q.takesId)) return false;
    q.name = args[next++];
    if (!q.takesId) return true;
    if (next >= args.size()) return false;
    if (q.name == "mutex" || q.name == "visible-among") {
      q.text = args[next++];
      return true;
    }
    const std::optional<long> id = Number(args[next++]);
    if (!id) return false;
    q.id = static_cast<int>(*id);
    return true;
  };

  bool takesId = false;
  if (IsQuery(command, takesId)) {
    Query q;
    next = 0;
    if (!readQuery(q) || next != args.size()) return Fail("bad query (see tdriver help)");
    std::string listing;
    const Fields fields = driver.Ask(q, &listing);
    fputs(listing.c_str(), stdout);
    Print(fields);
    return Absent(fields) ? 1 : 0;
  }
  if (command == "get") {
    Query q;
    if (!readQuery(q) || next + 1 != args.size()) return Fail("usage: get QUERY [ID] FIELD");
    const std::optional<std::string> value = Field(driver.Ask(q), args[next]);
    if (!value) return 1;
    printf("%s\n", Printable(*value).c_str());
    return 0;
  }
  if (command == "wait") {
    Query q;
    const std::optional<long> ms = args.size() > 1 ? Number(args[1]) : std::nullopt;
    next = 2;
    if (!ms || *ms < 0 || !readQuery(q) || next >= args.size()) {
      return Fail("usage: wait MS QUERY [ID] FIELD=VALUE ...");
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(*ms);
    for (;;) {
      const Fields fields = driver.Ask(q);
      bool all = true;
      for (size_t i = next; i < args.size() && all; ++i) all = Holds(fields, args[i]);
      if (all) return 0;
      if (std::chrono::steady_clock::now() >= deadline) {
        fprintf(stderr, "tdriver: timed out after %ld ms waiting for", *ms);
        for (size_t i = next; i < args.size(); ++i) fprintf(stderr, " %s", args[i].c_str());
        fprintf(stderr, "; last answer:\n");
        for (const auto& [name, value] : fields) {
          fprintf(stderr, "  %s=%s\n", name.c_str(), Printable(value).c_str());
        }
        return 1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  if (const std::optional<int> status = RunCompositeCommand(args, exe)) return *status;
  if (command == "click" || command == "mouse-click" || command == "command") {
    const std::optional<long> id = args.size() == 2 ? Number(args[1]) : std::nullopt;
    if (!id) return Fail("usage: click|mouse-click|command ID");
    HWND main = driver.Main();
    if (main == nullptr) return Fail("no main window");
    if (command == "command") {
      return PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(*id), 0) ? 0 : 1;
    }
    HWND control = ControlOf(main, static_cast<int>(*id));
    if (control == nullptr) return Fail("no such control");
    return (command == "click" ? PostButtonClick(control) : PostMouseClick(control)) ? 0 : 1;
  }
  if (command == "select") {
    const std::optional<long> id = args.size() == 3 ? Number(args[1]) : std::nullopt;
    const std::optional<long> index = args.size() == 3 ? Number(args[2]) : std::nullopt;
    if (!id || !index) return Fail("usage: select ID N");
    HWND main = driver.Main();
    if (main == nullptr) return Fail("no main window");
    return SelectListEntry(main, ControlOf(main, static_cast<int>(*id)), static_cast<int>(*index))
               ? 0
               : Fail("no such list entry");
  }
  if (command == "pane-click" || command == "pane-show-row") {
    const std::optional<long> id = args.size() == 2 ? Number(args[1]) : std::nullopt;
    if (!id) return Fail("usage: pane-click ID | pane-show-row N");
    HWND dialog = FindMacroPaneDialog(ProcessIds(exe));
    if (command == "pane-show-row") return ShowPaneRow(dialog, static_cast<int>(*id)) ? 0 : 1;
    HWND control = dialog != nullptr ? GetDlgItem(dialog, static_cast<int>(*id)) : nullptr;
    if (control == nullptr) return Fail("no such control in the macro pane");
    return PostButtonClick(control) ? 0 : 1;
  }
  if (command == "post" || command == "send") {
    if (args.size() < 2 || args.size() > 4) return Fail("usage: post|send MSG [WPARAM [LPARAM]]");
    PrivateMessage m{};
    if (const auto named = kPrivateMessages.find(args[1]); named != kPrivateMessages.end()) {
      m = named->second;
    } else if (const std::optional<long> n = Number(args[1])) {
      m = {static_cast<UINT>(*n), 0};
    } else {
      return Fail("unknown message");
    }
    LPARAM lParam = 0;
    if (args.size() >= 3) {
      const std::optional<long> w = Number(args[2]);
      if (!w) return Fail("bad WPARAM");
      m.code = static_cast<WPARAM>(static_cast<unsigned long>(*w));
    }
    if (args.size() == 4) {
      const std::optional<long> l = Number(args[3]);
      if (!l) return Fail("bad LPARAM");
      lParam = static_cast<LPARAM>(*l);
    }
    HWND main = driver.Main();
    if (main == nullptr) return Fail("no main window");
    if (command == "post") return PostMessageW(main, m.message, m.code, lParam) ? 0 : 1;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(main, m.message, m.code, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
      printf("result=timeout\n");
      return 1;
    }
    printf("result=%lld\n", static_cast<long long>(result));
    return 0;
  }
  if (command == "answer") {
    if (args.size() != 2) return Fail("usage: answer yes|no|ok|cancel");
    HWND box = driver.Box();
    if (box == nullptr) return Fail("no message box");
    return AnswerMessageBox(box, args[1]) ? 0 : Fail("the message box has no such button");
  }
  if (command == "close") {
    std::optional<long long> only;
    if (args.size() == 2) {
      unsigned long long handle = 0;
      if (sscanf(args[1].c_str(), "0x%llx", &handle) != 1) return Fail("usage: close [0xHWND]");
      only = static_cast<long long>(handle);
    }
    int closed = 0;
    for (HWND window : TopLevelWindows(ProcessIds(exe))) {
      if (only && static_cast<long long>(reinterpret_cast<UINT_PTR>(window)) != *only) continue;
      if (IsWindowVisible(window) && PostMessageW(window, WM_CLOSE, 0, 0)) ++closed;
    }
    printf("closed=%d\n", closed);
    return closed > 0 ? 0 : 1;
  }
  if (command == "taskbar-created") {
    const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) ? 0
                                                                                                : 1;
  }
  return Fail("unknown command (see tdriver help)");
}

}  // namespace
}  // namespace tarvolin::tdriver

int wmain(int argc, wchar_t** argv) {
  // Plain "\n" line ends, so the scripts reading the output need no clean-up.
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tarvolin::win32::Utf8FromWide(argv[i]));
  const int status = tarvolin::tdriver::Run(std::move(args));
  fflush(stdout);
  return status;
}
