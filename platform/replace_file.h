#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>

namespace tarvolin {

// Writes `blocks` one after the other as the new content of `path`. They go to a temporary
// file beside the target whose unique name is taken with exclusive creation (so no file that
// exists, whoever owns it, is ever truncated or removed), are flushed to the disk, and the
// temporary then replaces the target in one rename (MoveFileExW with replace on Windows): a
// reader finds the old file or the new one, never none and never half of one. False, with the
// target untouched and the temporary gone, when anything fails.
bool ReplaceFileAtomically(const std::filesystem::path& path,
                           std::initializer_list<std::span<const std::uint8_t>> blocks);

// The process that made a temporary of ReplaceFileAtomically, read from its file name
// ("<target>.<process>-<serial>.partial"); nothing for any other name.
std::optional<long> TemporaryWriter(const std::filesystem::path& name);

// Removes the temporaries in `folder` whose writer is no longer running (`running` tells),
// as a process killed while it wrote leaves them behind. Other files, a user's own
// "<target>.partial" among them, are left alone. Returns how many were removed.
int RemoveAbandonedTemporaries(const std::filesystem::path& folder,
                               const std::function<bool(long process)>& running);

}  // namespace tarvolin
