#include "TerminalProgress.h"

#include <algorithm>
#include <cstdio>

#include "core/Texts.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tavolex::cli {

TerminalProgress::TerminalProgress()
#ifndef _WIN32
    : enabled_(::isatty(STDERR_FILENO) != 0)
#else
    : enabled_(false)
#endif
{
}

TerminalProgress::~TerminalProgress() { end(); }

void TerminalProgress::begin(int itemCount) {
    total_ = std::max(itemCount, 0);
    done_ = 0;
    counter_ = "000/000";
    draw();
}

void TerminalProgress::setHeading(const std::string& heading) {
    heading_ = heading;
    draw();
}

void TerminalProgress::setFile(const std::string& fileName) {
    file_ = fileName;
    draw();
}

void TerminalProgress::setCounter(int current, int total) {
    char text[32];
    std::snprintf(text, sizeof text, std::string(Text(TextId::ProgressCounter)).c_str(), current, total);
    counter_ = text;
    draw();
}

void TerminalProgress::step(int amount) {
    done_ = std::min(total_, done_ + amount);
    draw();
}

void TerminalProgress::end() {
    if (enabled_ && drawn_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
    drawn_ = false;
}

void TerminalProgress::draw() {
    if (!enabled_) {
        return;
    }
    constexpr int kWidth = 30;
    const int filled = total_ > 0 ? done_ * kWidth / total_ : 0;
    std::fprintf(stderr, "\r\033[K%s [%s%s] %s %s", heading_.c_str(),
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kWidth - filled), '.').c_str(), file_.c_str(), counter_.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

} // namespace tavolex::cli
