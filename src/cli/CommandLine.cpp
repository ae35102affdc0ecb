#include "CommandLine.h"

#include <algorithm>
#include <charconv>
#include <iostream>

#include "TerminalProgress.h"
#include "core/Texts.h"
#include "document/CarSetFile.h"
#include "game/GraphicEnvironment.h"
#include "settings/AppPaths.h"
#include "settings/Settings.h"

namespace tavolex::cli {

std::optional<std::string> Arguments::takeOption(std::string_view name) {
    auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end()) {
        return std::nullopt;
    }
    if (it + 1 == words_.end()) {
        missingValue_ = true;
        words_.erase(it);
        return std::nullopt;
    }
    std::string value = *(it + 1);
    words_.erase(it, it + 2);
    return value;
}

bool Arguments::takeFlag(std::string_view name) {
    auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end()) {
        return false;
    }
    words_.erase(it);
    return true;
}

bool Arguments::valid() const {
    return !missingValue_ && std::none_of(words_.begin(), words_.end(),
                                          [](const std::string& w) { return w.size() > 2 && w.rfind("--", 0) == 0; });
}

int Fail(std::string_view message, std::string_view detail) {
    std::cerr << "tavolex-cli: " << message;
    if (!detail.empty()) {
        std::cerr << " (" << detail << ")";
    }
    std::cerr << '\n';
    return kFailure;
}

int UsageError(std::string_view problem) {
    std::cerr << "tavolex-cli: " << problem << "\nTry 'tavolex-cli --help' for more information.\n";
    return kBadUsage;
}

int Dispatch(const std::string& group, const Arguments& arguments,
             std::initializer_list<std::pair<const char*, Command>> commands) {
    std::string names;
    for (const auto& [name, run] : commands) {
        names += names.empty() ? name : std::string(", ") + name;
    }
    if (arguments.positional().empty()) {
        return UsageError(group + " needs a command: " + names);
    }
    const std::string& command = arguments.positional().front();
    for (const auto& [name, run] : commands) {
        if (command == name) {
            return run(
                Arguments(std::vector<std::string>(arguments.positional().begin() + 1, arguments.positional().end())));
        }
    }
    return UsageError("unknown " + group + " command '" + command + "'");
}

int LoadCarSetFile(CarSet& carSet, const std::filesystem::path& path) {
    NewCarSet(carSet);
    const Error error = LoadCarSet(carSet, path);
    return Ok(error) ? kSuccess : Fail(Text(LoadErrorText(error)));
}

namespace {
// The editor's paths: its settings file is named after the editor, which is
// installed beside this tool.
AppPaths EditorAppPaths() {
    return ResolveAppPaths(CurrentExecutablePath(nullptr).parent_path() / "tavolex", Environment::FromProcess());
}
} // namespace

std::filesystem::path EditorDataFolder() { return EditorAppPaths().dataFolder; }

std::optional<ExeIdentificationText> RememberedIdentification() {
    return ExeIdentificationFromHex(ReadSettings(EditorAppPaths().settingsFile).exeIdentification);
}

ExeIdentity IdentifyGame(const GameFolder& game) { return IdentifyGameExecutable(game, RememberedIdentification()); }

int FailWith(TextId text) {
    const std::string_view message = Text(text);
    return Fail(message.substr(0, message.find("\n\n")));
}

int RequireGame(ExeStatus status) {
    if (AllowsGameFiles(status)) {
        return kSuccess;
    }
    return FailWith(status == ExeStatus::Missing ? TextId::ExeMissingOrCorrupt : TextId::ExeUnsupported);
}

int SaveCarSetFile(CarSet& carSet, const std::filesystem::path& path, const GraphicEnvironment& environment) {
    TerminalProgress progress;
    if (Error error = SaveCarSet(carSet, path, environment, &progress); !Ok(error)) {
        return Fail(Text(TextId::CouldntSaveCarSet), ErrorText(error));
    }
    return kSuccess;
}

std::optional<int> ParseInt(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace tavolex::cli
