#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// A zero-terminated text field of a fixed number of bytes, as the game and
// the car set file store names: at most Size - 1 characters.

namespace tavolex {

template <std::size_t Size> class FixedText {
  public:
    static constexpr std::size_t kCapacity = Size - 1;

    FixedText() { bytes_.fill(0); }
    explicit FixedText(std::string_view text) { assign(text); }
    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    // Stores `text`, cut to the capacity; returns false when it had to be cut.
    bool assign(std::string_view text) {
        bytes_.fill(0);
        const std::size_t length = std::min(text.size(), kCapacity);
        std::copy_n(text.begin(), length, bytes_.begin());
        return length == text.size();
    }

    std::string_view view() const {
        return std::string_view(bytes_.data(), std::find(bytes_.begin(), bytes_.end(), '\0') - bytes_.begin());
    }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return view().size(); }
    bool empty() const { return bytes_[0] == '\0'; }
    const std::array<char, Size>& bytes() const { return bytes_; }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }

  private:
    std::array<char, Size> bytes_;
};

} // namespace tavolex
