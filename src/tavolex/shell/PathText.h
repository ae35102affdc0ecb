#pragma once

#include <QString>

#include <filesystem>

namespace tavolex::editor {

// A file's path between the editor's texts and the library, through UTF-16:
// a name outside ASCII ("Ünïcode") names the same file on every system, where
// a narrow string would be the ANSI code page's on Windows.

inline std::filesystem::path ToPath(const QString& path) { return {path.toStdU16String()}; }

inline QString FromPath(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

} // namespace tavolex::editor
