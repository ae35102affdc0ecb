#pragma once

#include <filesystem>

namespace tavolex::cli {

// A private folder in the system's temporary folder for one command's
// generated pictures, removed with everything in it when the command ends.
class CommandTemporaryFolder {
  public:
    CommandTemporaryFolder();
    ~CommandTemporaryFolder();
    CommandTemporaryFolder(const CommandTemporaryFolder&) = delete;
    CommandTemporaryFolder& operator=(const CommandTemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace tavolex::cli
