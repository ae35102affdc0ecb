#pragma once

#include <utility>

#include "app/EditorState.h"

namespace tavolex::editor {

// One choice a page remembers for the run, declared where the page makes it:
//     const RunChoice<int> kSelectedHelmet{"helmets/selected", 0};
//     kSelectedHelmet.set(state, 3); ... kSelectedHelmet.get(state)
// The value lives in the state's RunChoiceStore, so a rebuilt page finds it
// again and every EditorState (each window, each test) starts from the default.
template <typename T> class RunChoice {
  public:
    RunChoice(const char* key, T fallback) : key_(key), fallback_(std::move(fallback)) {}

    // The choice, or the default while none was made.
    const T& get(const EditorState& state) const {
        const T* held = state.runChoices().template find<T>(key_);
        return held != nullptr ? *held : fallback_;
    }
    void set(EditorState& state, T value) const { in(state) = std::move(value); }
    // The stored value itself, for a choice changed in place or handed to a
    // widget that keeps it; valid as long as the state.
    T& in(EditorState& state) const { return state.runChoices().template value<T>(key_, fallback_); }

  private:
    const char* key_;
    T fallback_;
};

} // namespace tavolex::editor
