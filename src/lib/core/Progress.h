#pragma once

#include <string>

// How long operations report what they are doing. The editor shows it as the
// progress window, the command-line tool as a terminal bar; the library only
// calls this interface and never knows which.

namespace tavolex {

class Progress {
  public:
    virtual ~Progress() = default;

    // A new operation of `itemCount` items begins.
    virtual void begin(int itemCount) = 0;
    virtual void setHeading(const std::string& heading) = 0;
    // The file being worked on: a name (upper case, no folder) or a fixed label.
    virtual void setFile(const std::string& fileName) = 0;
    virtual void setCounter(int current, int total) = 0;
    virtual void step(int amount) = 0;
    virtual void end() = 0;
};

// Shows `path`'s file name in upper case, as the progress window does for every file it names.
void ShowProgressFile(Progress* progress, const std::string& path);
void SetProgressCounter(Progress* progress, int current, int total);

} // namespace tavolex
