#pragma once

#include <any>
#include <map>
#include <string>
#include <string_view>

namespace tavolex::editor {

// The choices the pages remember for the run (the selected helmet, the chosen
// halves...), one value of any type per key. Pages are rebuilt on every tab
// change, so what they choose lives here, in the EditorState, and is never
// written to disk. The store knows no page: each choice is declared by the
// page that makes it, as a RunChoice.
class RunChoiceStore {
  public:
    // The value under `key`, made `fallback` on first use. The reference
    // stays valid as long as the store. A key met again with another type
    // starts afresh from `fallback`, so one choice can never be read as another.
    template <typename T> T& value(std::string_view key, const T& fallback) {
        auto found = values_.find(key);
        if (found == values_.end()) {
            found = values_.emplace(std::string(key), std::any(fallback)).first;
        }
        if (T* held = std::any_cast<T>(&found->second)) {
            return *held;
        }
        found->second = fallback;
        return *std::any_cast<T>(&found->second);
    }

    // The value under `key`, or null while nothing was chosen (or it has another type).
    template <typename T> const T* find(std::string_view key) const {
        const auto found = values_.find(key);
        return found == values_.end() ? nullptr : std::any_cast<T>(&found->second);
    }

  private:
    std::map<std::string, std::any, std::less<>> values_;
};

} // namespace tavolex::editor
