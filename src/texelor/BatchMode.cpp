#include "BatchMode.h"

#include <iostream>

#include "TexelorTexture.h"

namespace texelor {

namespace {

int Fail(const std::string& message) {
    std::cerr << "texelor: " << message << '\n';
    return 1;
}

int UsageError(const std::string& problem) {
    std::cerr << "texelor: " << problem << "\n\n" << TexelorUsage();
    return 2;
}

} // namespace

const char* TexelorUsage() {
    return R"(Usage: texelor [FILE.JAM]
       texelor --export IN.JAM OUT.BMP|OUT.PNG
       texelor --import IN.JAM IN.BMP|IN.PNG OUT.JAM

Shows a hardware (16-bit) JAM texture of Grand Prix 3, or converts one
without a window:
  --export   writes the texture as a 24-bit bitmap, or a PNG for a .png name
  --import   takes the pixels of a 24-bit 256-pixel-wide bitmap (or PNG) of
             the texture's height and saves the JAM as OUT.JAM (made read-only)

Exit status: 0 on success, 1 on failure (the reason on stderr), 2 on bad usage.
)";
}

bool IsBatchRequest(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front().rfind("-", 0) == 0;
}

int RunBatch(const std::vector<std::string>& arguments) {
    const std::string& mode = arguments.front();
    if (mode == "-h" || mode == "--help") {
        std::cout << TexelorUsage();
        return 0;
    }
    texelor::TexelorTexture texture;
    if (mode == "--export") {
        if (arguments.size() != 3) {
            return UsageError("--export takes IN.JAM OUT.BMP");
        }
        if (auto result = texture.load(arguments[1]); result != texelor::LoadResult::Ok) {
            return Fail(texelor::LoadMessage(result));
        }
        return texture.exportBitmap(arguments[2]) ? 0 : Fail(texelor::ExportMessage());
    }
    if (mode == "--import") {
        if (arguments.size() != 4) {
            return UsageError("--import takes IN.JAM IN.BMP OUT.JAM");
        }
        if (auto result = texture.load(arguments[1]); result != texelor::LoadResult::Ok) {
            return Fail(texelor::LoadMessage(result));
        }
        if (auto result = texture.importBitmap(arguments[2]); result != texelor::ImportResult::Ok) {
            return Fail(texelor::ImportMessage(result));
        }
        if (auto result = texture.save(arguments[3]); result != texelor::SaveResult::Ok) {
            return Fail(texelor::SaveMessage(result));
        }
        return 0;
    }
    return UsageError("unknown option '" + mode + "'");
}

} // namespace texelor
