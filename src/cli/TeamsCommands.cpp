#include "TeamsCommands.h"

#include <filesystem>

#include "TerminalProgress.h"
#include "core/Texts.h"
#include "document/CarSetFile.h"
#include "files/FileHelpers.h"
#include "game/GraphicEnvironment.h"
#include "teams/ForeignTeamData.h"
#include "teams/PerformanceFile.h"

namespace tavolex::cli {
namespace fs = std::filesystem;

namespace {

int Export(const Arguments& arguments) {
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError("teams export takes IN.GP3 OUT.TXT");
    }
    CarSet carSet;
    if (int status = LoadCarSetFile(carSet, arguments.positional()[0]); status != kSuccess) {
        return status;
    }
    if (Error error = WritePerformanceFile(arguments.positional()[1], carSet); !Ok(error)) {
        return Fail(Text(TextId::CouldntSaveFile), ErrorText(error));
    }
    return kSuccess;
}

int Import(const Arguments& arguments) {
    if (!arguments.valid() || arguments.positional().size() != 3) {
        return UsageError("teams import takes IN.GP3 FILE OUT.GP3");
    }
    const fs::path file = arguments.positional()[1];
    const FileKind kind = FileKindOf(file);
    if (kind != FileKind::Text && kind != FileKind::Performance && kind != FileKind::OldCarSet) {
        return UsageError("FILE must end in .TXT, .PER or .GP2");
    }
    CarSet carSet;
    if (int status = LoadCarSetFile(carSet, arguments.positional()[0]); status != kSuccess) {
        return status;
    }
    Error error = Error::None;
    switch (kind) {
    case FileKind::Text: error = ReadPerformanceFile(file, carSet); break;
    case FileKind::Performance: error = ReadPerFile(file, carSet); break;
    case FileKind::OldCarSet: error = ReadGp2CarSet(file, carSet); break;
    default: break;
    }
    if (!Ok(error)) {
        return Fail(Text(TextId::CouldntLoadFile), ErrorText(error));
    }
    // The pictures stay where they are: in IN.GP3, read while OUT.GP3 is written.
    TerminalProgress progress;
    if (Error saved = SaveCarSet(carSet, arguments.positional()[2], GraphicEnvironment{}, &progress); !Ok(saved)) {
        return Fail(Text(TextId::CouldntSaveCarSet), ErrorText(saved));
    }
    return kSuccess;
}

} // namespace

int RunTeamsCommand(Arguments arguments) {
    return Dispatch("teams", arguments, {{"export", Export}, {"import", Import}});
}

} // namespace tavolex::cli
