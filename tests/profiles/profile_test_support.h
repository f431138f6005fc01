#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "model/config_state.h"
#include "model/key_buttons.h"
#include "model/key_map.h"
#include "platform/prompt.h"
#include "tests/support/recording_prompter.h"
#include "tests/platform/scratch_folder.h"

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace tarvolin::profiles::testing {

using Bytes = std::vector<std::uint8_t>;
using tarvolin::testing::ScratchFolder;

using ::tarvolin::testing::RecordingPrompter;

inline Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline void PutU16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Recomputes byte 31 from bytes 0..30.
inline void FixChecksum(Bytes& bytes) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < 31; ++i) sum += bytes[i];
  bytes[31] = static_cast<std::uint8_t>(sum & 0xFF);
}

// Makes a file impossible to open for writing while it lives, even for root on Linux (the
// immutable attribute), and the read-only attribute on Windows.
class UnwritableFile {
 public:
  explicit UnwritableFile(std::filesystem::path path) : path_(std::move(path)) {
    std::filesystem::permissions(path_, std::filesystem::perms::owner_read |
                                            std::filesystem::perms::group_read |
                                            std::filesystem::perms::others_read);
#ifdef __linux__
    immutable_ = SetImmutable(true);
#endif
  }
  ~UnwritableFile() {
#ifdef __linux__
    if (immutable_) SetImmutable(false);
#endif
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
  }
  UnwritableFile(const UnwritableFile&) = delete;
  UnwritableFile& operator=(const UnwritableFile&) = delete;

  // True when even the superuser cannot write it now.
  bool Enforced() const {
#ifdef __linux__
    return immutable_ || geteuid() != 0;
#else
    return true;
#endif
  }

 private:
#ifdef __linux__
  bool SetImmutable(bool on) {
    if (geteuid() != 0) return false;
    const int fd = open(path_.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
  }
  bool immutable_ = false;
#endif
  std::filesystem::path path_;
};

inline model::MacroRecord MakeMacro(std::uint16_t id, std::u16string_view name,
                                    std::initializer_list<model::MacroAction> actions,
                                    std::uint8_t play_count = 1) {
  model::MacroRecord macro;
  macro.id = id;
  macro.play_count = play_count;
  macro.SetName(name);
  macro.action_count = static_cast<std::uint16_t>(actions.size());
  std::copy(actions.begin(), actions.end(), macro.actions.begin());
  return macro;
}

inline model::KeyAssignment MakeRecord(std::uint16_t type, std::uint32_t value = 0,
                                       std::uint16_t tag = 0, std::uint32_t mark = 0) {
  model::KeyAssignment record;
  record.type = type;
  record.value = value;
  record.tag = tag;
  record.mark = mark;
  return record;
}

// A configuration with random assignments in all four profiles, `macro_count` macros with
// random steps and names, and texts on some launch-program and text-block records.
inline void FillRandomConfig(model::EditedConfig& config, std::uint32_t seed,
                             std::size_t macro_count) {
  std::mt19937 rng(seed);
  auto below = [&rng](std::uint32_t bound) { return static_cast<std::uint32_t>(rng() % bound); };
  config.Release();
  config.profiles = std::make_unique<model::ProfileSet>();
  for (int p = 0; p < model::kProfileCount; ++p) {
    model::ResetProfileAssignments(config.profiles->Profile(p));
  }
  for (std::size_t m = 0; m < macro_count; ++m) {
    model::MacroRecord macro;
    macro.id = static_cast<std::uint16_t>(m + 1);
    macro.play_count = static_cast<std::uint8_t>(1 + below(255));
    std::u16string name;
    for (std::uint32_t c = below(20); c > 0; --c) {
      name.push_back(
          static_cast<char16_t>(below(3) == 0 ? 0x4E00 + below(0x100) : u'a' + below(26)));
    }
    macro.SetName(name);
    macro.action_count = static_cast<std::uint16_t>(below(30));
    for (std::size_t a = 0; a < macro.action_count; ++a) {
      macro.actions[a] = {below(5000), static_cast<std::uint16_t>(1 + below(0x15D)),
                          static_cast<std::uint16_t>(below(2))};
    }
    config.macros.push_back(macro);
  }
  for (int n = 0; n < 60; ++n) {
    const std::size_t index = below(model::kRecordCount);
    model::KeyAssignment& record = config.profiles->records[index];
    record.type = static_cast<std::uint16_t>(below(9));
    record.value = below(0x200);
    record.mark = below(4) == 0 ? 1 : 0;
    if (record.type == model::AssignmentType::kLaunchProgram ||
        record.type == model::AssignmentType::kTextBlock) {
      std::u16string text = u"C:\\Program Files\\";
      for (std::uint32_t c = below(12); c > 0; --c) {
        text.push_back(
            static_cast<char16_t>(below(2) == 0 ? 0xAC00 + below(0x100) : u'A' + below(26)));
      }
      if (below(5) != 0) {
        config.SetString(index, text);
      } else {
        record.value = 0xFFFF0000;  // no text: an offset no area reaches
      }
    }
  }
}

}  // namespace tarvolin::profiles::testing
