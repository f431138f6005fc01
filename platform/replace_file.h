#pragma once
#include <cstdint>
#include <filesystem>
#include <initializer_list>
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

}  // namespace tarvolin
