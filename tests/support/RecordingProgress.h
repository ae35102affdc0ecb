#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/Progress.h"

namespace tavolex::test {

// Keeps every report of a long operation, for tests of what a user would see.
class RecordingProgress final : public Progress {
  public:
    int itemCount = -1;
    int stepped = 0;
    bool ended = false;
    std::vector<std::string> headings;
    std::vector<std::string> files;
    std::vector<std::pair<int, int>> counters;

    void begin(int items) override { itemCount = items; }
    void setHeading(const std::string& heading) override { headings.push_back(heading); }
    void setFile(const std::string& fileName) override { files.push_back(fileName); }
    void setCounter(int current, int total) override { counters.emplace_back(current, total); }
    void step(int amount) override { stepped += amount; }
    void end() override { ended = true; }
};

} // namespace tavolex::test
