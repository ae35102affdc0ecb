#pragma once

#include <string>

#include "core/Progress.h"

namespace tavolex::cli {

// Shows progress as a one-line bar on stderr, and only when stderr is a
// terminal, so scripts and pipes see clean output.
class TerminalProgress final : public Progress {
  public:
    TerminalProgress();
    ~TerminalProgress() override;

    void begin(int itemCount) override;
    void setHeading(const std::string& heading) override;
    void setFile(const std::string& fileName) override;
    void setCounter(int current, int total) override;
    void step(int amount) override;
    void end() override;

  private:
    void draw();

    bool enabled_;
    bool drawn_ = false;
    int total_ = 0;
    int done_ = 0;
    std::string heading_;
    std::string file_;
    std::string counter_;
};

} // namespace tavolex::cli
