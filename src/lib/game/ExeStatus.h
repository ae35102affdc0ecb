#pragma once

// How far the configured game's executable was recognised; what the editor's
// pages and the game files' readers may do follows from it alone.

namespace tavolex {

enum class ExeStatus : int { Missing = -2, Unsupported = -1, Unreadable = 0, Supported = 1 };

// Game-file actions need at least Unreadable; reading or patching GP3.EXE needs Supported.
constexpr bool AllowsGameFiles(ExeStatus status) { return static_cast<int>(status) >= 0; }
constexpr bool AllowsExecutable(ExeStatus status) { return status == ExeStatus::Supported; }

} // namespace tavolex
