#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <span>
#include <vector>

#include "core/Error.h"

// Replacing a user's or the game's file: the new content goes into a file in
// the same folder that has no name yet (on Linux; elsewhere a hidden
// temporary file), is flushed to disk, named ".NAME.xxxxxxxx.tmp" and at once
// renamed over the old one. A failure at any point, even a killed process,
// leaves the old file byte for byte intact; a killed process at most leaves a
// complete temporary file, removed by a later write to the same target once
// it is a day old. Every writer of such a file uses this; WriteFaults.h lets
// tests make any step fail.

namespace tavolex {

// Writes `bytes` as the whole new content of `path`. An existing file keeps its
// permissions, with the owner's write bit set, because the game's tools clear
// a read-only attribute before they write.
[[nodiscard]] Error WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// While one is alive (on this thread), replaced files leave the syncing of
// their folder to it, and it syncs each folder once when it ends: an export
// replaces a hundred files in a handful of folders. Each file is still
// complete and on disk before its rename, so every file is at all times the
// old one or the new one; only the renames wait for the batch to reach the disk.
class FolderSyncBatch {
  public:
    FolderSyncBatch();
    ~FolderSyncBatch();
    FolderSyncBatch(const FolderSyncBatch&) = delete;
    FolderSyncBatch& operator=(const FolderSyncBatch&) = delete;

  private:
    friend void SyncFolderOf(const std::filesystem::path& path);
    FolderSyncBatch* outer_;
    std::set<std::filesystem::path> folders_;
};

// Reads a whole file that may be at most `maxSize` bytes long; larger files are
// refused before anything is allocated for them.
[[nodiscard]] Error ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize,
                                  std::vector<std::uint8_t>& bytes);

} // namespace tavolex
