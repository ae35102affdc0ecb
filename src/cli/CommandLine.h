#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What every command of tavolex-cli shares: its arguments, its exit codes and
// how it reports a failure.

namespace tavolex::cli {

enum ExitCode { kSuccess = 0, kFailure = 1, kBadUsage = 2 };

// The words after the command's own name, with --options taken out.
class Arguments {
  public:
    Arguments(std::vector<std::string> words) : words_(std::move(words)) {} // NOLINT

    // Removes "--name VALUE" and returns VALUE; nothing when absent.
    // A flag given without its value is a usage error (`valid` turns false).
    std::optional<std::string> takeOption(std::string_view name);
    bool takeFlag(std::string_view name);
    const std::vector<std::string>& positional() const { return words_; }
    // False once an option lacked its value or an unknown --option remains.
    bool valid() const;

  private:
    std::vector<std::string> words_;
    bool missingValue_ = false;
};

class Arguments;
using Command = std::function<int(Arguments)>;

// Runs the subcommand named by the first word of `arguments` with the rest;
// `group` names the command group in usage errors ("carset").
int Dispatch(const std::string& group, const Arguments& arguments,
             std::initializer_list<std::pair<const char*, Command>> commands);

// Prints "tavolex-cli: <message>" (and ": <detail>" when given) to stderr; returns kFailure.
int Fail(std::string_view message, std::string_view detail = {});
// Prints the usage problem and a hint to stderr; returns kBadUsage.
int UsageError(std::string_view problem);
std::optional<int> ParseInt(const std::string& text, int low, int high);

} // namespace tavolex::cli

#include "core/Texts.h"
#include "game/GameIdentity.h"

namespace tavolex {
struct CarSet;
struct GraphicEnvironment;
} // namespace tavolex

namespace tavolex::cli {

// Resets `carSet` and loads the file into it; on failure prints the loader's message.
int LoadCarSetFile(CarSet& carSet, const std::filesystem::path& path);
// The editor's data folder (the cockpit mask, the pit crew masks), so that
// the tool and the editor use the same files.
std::filesystem::path EditorDataFolder();
// The game's executable identified as the editor identifies it: by the
// built-in text, the text the editor remembered in its settings file, or the
// contents.
[[nodiscard]] ExeIdentity IdentifyGame(const GameFolder& game);
// The identification text the editor remembered in its settings file, if any.
std::optional<ExeIdentificationText> RememberedIdentification();
// Prints the first paragraph of the message (the advice after it is about
// the editor's dialogs); returns kFailure.
int FailWith(TextId text);
// kSuccess when the game's files can be used; else prints why and returns kFailure.
int RequireGame(ExeStatus status);

// Saves the car set with a progress bar; on failure prints the message.
int SaveCarSetFile(CarSet& carSet, const std::filesystem::path& path, const GraphicEnvironment& environment);

} // namespace tavolex::cli
