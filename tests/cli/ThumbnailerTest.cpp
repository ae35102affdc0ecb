// The file managers' thumbnailer: the installed entry run as a file manager
// runs it, and damaged or hostile files refused quickly without a file.

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "formats/BitmapFile.h"
#include "formats/BitmapOps.h"
#include "formats/GameJam.h"
#include "formats/JamBuilder.h"
#include "formats/PngFile.h"
#include "formats/Rgb565.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {
using test::ProcessResult;
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

std::uint32_t BigEndian(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// The tEXt chunks of a PNG file, key to text.
std::map<std::string, std::string> TextChunks(const std::vector<std::uint8_t>& file) {
    std::map<std::string, std::string> texts;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::size_t length = BigEndian(&file[at]);
        const std::string type(file.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               file.begin() + static_cast<std::ptrdiff_t>(at + 8));
        if (at + 12 + length > file.size()) {
            break;
        }
        if (type == "tEXt") {
            const std::string chunk(file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                                    file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
            const auto zero = chunk.find('\0');
            texts[chunk.substr(0, zero)] = zero == std::string::npos ? "" : chunk.substr(zero + 1);
        }
        at += 12 + length;
    }
    return texts;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The value of `key=` in a desktop-entry style file.
std::string EntryValue(const std::string& entry, const std::string& key) {
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return {};
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

int CountColour(const PackedBitmap& image, const std::uint8_t* bgr) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += std::equal(bgr, bgr + 3, image.topRow(y) + 3 * x) ? 1 : 0;
        }
    }
    return count;
}

PackedBitmap Solid(int width, int height, Depth depth, std::uint32_t colour, std::uint8_t index) {
    PackedBitmap image;
    FillBitmap(image, width, height, colour, index, depth);
    return image;
}

// A car set whose first team has a one-coloured livery and helmets.
fs::path MakeCarSet(const ScratchFolder& folder) {
    CarSet carSet;
    NewCarSet(carSet);
    const fs::path livery = folder / "livery.bmp";
    EXPECT_TRUE(Ok(SaveBitmapFile(livery, Solid(256, 384, Depth::Bits24, MakeColour(0, 0, 255), 0))));
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 0, Variant::Hardware, livery);
    StoreHeldPicture(carSet, GraphicKind::Helmets, Variant::Hardware,
                     Solid(256, 330, Depth::Bits24, MakeColour(255, 0, 0), 0));
    const fs::path path = folder / "Team Colours.GP3";
    fs::create_directories(folder / "tmp");
    EXPECT_TRUE(Ok(SaveCarSet(carSet, path, GraphicEnvironment{folder / "tmp", {}, {}})));
    return path;
}

fs::path MakeJam(const ScratchFolder& folder, bool hardware) {
    std::vector<std::uint8_t> file;
    if (hardware) {
        EXPECT_TRUE(Ok(BuildHardwareJam(Solid(256, 64, Depth::Bits24, MakeColour(0, 200, 40), 0), 1, file)));
    } else {
        EXPECT_TRUE(Ok(BuildSoftwareJam(Solid(256, 512, Depth::Bits8, 0, 77), {{0, 0, 256, 512, true}}, false, file)));
    }
    const fs::path path = folder / (hardware ? "hard.jam" : "SOFT.JAM");
    WriteBytes(path, file);
    return path;
}

// Installs the command line component into a fresh prefix, once for the suite.
class Thumbnailer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = new ScratchFolder;
        const ProcessResult run = test::RunProcess(
            *prefix_, TAVOLEX_CMAKE_COMMAND,
            {"--install", TAVOLEX_BUILD_DIR, "--prefix", prefix_->path().string(), "--component", "cli"});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    static void TearDownTestSuite() {
        delete prefix_;
        prefix_ = nullptr;
    }

    // Runs the entry's Exec line with %s, %i and %o put in, the installed
    // programs first on the path; how long it took goes to `seconds`.
    ProcessResult RunEntry(int size, const fs::path& in, const fs::path& out, double* seconds = nullptr) {
        const std::vector<std::string> exec = Words(EntryValue(entry(), "Exec"));
        EXPECT_FALSE(exec.empty());
        std::vector<std::string> arguments;
        for (std::size_t i = 1; i < exec.size(); ++i) {
            const std::string& word = exec[i];
            arguments.push_back(word == "%s"   ? std::to_string(size)
                                : word == "%i" ? in.string()
                                : word == "%o" ? out.string()
                                               : word);
        }
        const std::string path = "PATH='" + (prefix_->path() / "bin").string() + "':\"$PATH\" ";
        const auto start = std::chrono::steady_clock::now();
        ProcessResult run = test::RunProcess(folder, exec.empty() ? "false" : exec[0], arguments, path);
        if (seconds != nullptr) {
            *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        return run;
    }

    std::string entry() const { return ReadText(prefix_->path() / "share/thumbnailers/tavolex.thumbnailer"); }

    static inline ScratchFolder* prefix_ = nullptr;
    ScratchFolder folder;
};

TEST_F(Thumbnailer, EntryNamesTheInstalledToolAndTheFileTypesOfTheDesktopEntries) {
    const std::string text = entry();
    EXPECT_EQ(text.rfind("[Thumbnailer Entry]\n", 0), 0u);
    const std::string tryExec = EntryValue(text, "TryExec");
    EXPECT_TRUE(fs::exists(prefix_->path() / "bin" / tryExec)) << tryExec;
    EXPECT_EQ(Words(EntryValue(text, "Exec")).front(), tryExec);
    const std::string types = EntryValue(text, "MimeType");
    for (const char* desktop : {"tavolex.desktop", "texelor.desktop"}) {
        const std::string declared =
            EntryValue(ReadText(fs::path(TAVOLEX_SOURCE_DIR) / "resources/linux" / desktop), "MimeType");
        ASSERT_FALSE(declared.empty());
        EXPECT_NE(types.find(declared), std::string::npos) << declared;
    }
}

TEST_F(Thumbnailer, CarSetShowsItsFirstTeamWithTheKeysOfAThumbnail) {
    const fs::path carSet = MakeCarSet(folder);
    const fs::path out = folder / "thumb.png";
    const ProcessResult run = RunEntry(128, carSet, out);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::uint8_t> file = ReadBytes(out);
    PackedBitmap image;
    ASSERT_TRUE(Ok(ReadPngPicture(file, image, 128, 128)));
    EXPECT_EQ(image.width(), 128);
    EXPECT_EQ(image.height(), 128);
    // Blue and red as the car set file's 16-bit pictures give them back.
    const std::uint8_t livery[] = {Blue565(ToRgb565(0, 0, 255)), 0, 0};
    const std::uint8_t helmet[] = {0, 0, Red565(ToRgb565(255, 0, 0))};
    EXPECT_GT(CountColour(image, livery), 50 * 80);
    EXPECT_GT(CountColour(image, helmet), 2 * 40 * 9);

    struct stat status {};
    ASSERT_EQ(::stat(carSet.c_str(), &status), 0);
    const auto keys = TextChunks(file);
    EXPECT_EQ(keys.at("Thumb::MTime"), std::to_string(static_cast<long long>(status.st_mtime)));
    EXPECT_EQ(keys.at("Software"), "Tavolex");
    EXPECT_FALSE(keys.contains("Thumb::URI")) << "the file manager's own key";
}

TEST_F(Thumbnailer, JamShowsItsPictureWithinTheSizeProportionsKept) {
    for (bool hardware : {true, false}) {
        SCOPED_TRACE(hardware ? "hardware" : "software");
        const fs::path jam = MakeJam(folder, hardware);
        PackedBitmap decoded;
        JamKind kind;
        ASSERT_TRUE(Ok(ReadJamFile(jam, hardware ? 64 : 512, decoded, kind)));
        PackedBitmap colour(1, 1, Depth::Bits24);
        const std::uint8_t* first = decoded.topRow(0);
        const std::uint8_t* bgr = hardware ? first : decoded.palette() + 4 * first[0];

        const fs::path out = folder / "jam.png";
        const ProcessResult run = RunEntry(256, jam, out);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::uint8_t> file = ReadBytes(out);
        PackedBitmap image;
        ASSERT_TRUE(Ok(ReadPngPicture(file, image, 256, 256)));
        EXPECT_EQ(image.width(), hardware ? 256 : 128);
        EXPECT_EQ(image.height(), hardware ? 64 : 256);
        EXPECT_EQ(CountColour(image, bgr), image.width() * image.height());
        EXPECT_TRUE(TextChunks(file).contains("Thumb::MTime"));
    }
}

TEST_F(Thumbnailer, DamagedOrHostileFilesFailWithinASecondAndWriteNothing) {
    const std::vector<std::uint8_t> carSet = ReadBytes(MakeCarSet(folder));
    const std::vector<std::uint8_t> jam = ReadBytes(MakeJam(folder, true));
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files = {
        {"empty.GP3", {}},
        {"text.GP3", {'h', 'e', 'l', 'l', 'o'}},
        {"magic.GP3", {'T', 'a', 'v', 'o', 'l', 'e', 'x', 0, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"half.GP3", {carSet.begin(), carSet.begin() + static_cast<std::ptrdiff_t>(carSet.size() / 2)}},
        {"short.JAM", {jam.begin(), jam.end() - 40}},
        {"huge.JAM", {0x7F, 0x96, 0x98, 0x00, 0xFF, 0x7F, 0xFF, 0xFF}},
    };
    // A car set whose stored livery no longer decodes: it loads, but its picture fails.
    std::vector<std::uint8_t> scrambled = carSet;
    for (std::size_t i = scrambled.size() / 3; i < scrambled.size() - 64; i += 7) {
        scrambled[i] ^= 0x5A;
    }
    files.emplace_back("scrambled.GP3", scrambled);
    for (auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteBytes(folder / name, bytes);
        const fs::path out = folder / (name + ".png");
        double seconds = 0;
        const ProcessResult run = RunEntry(128, folder / name, out, &seconds);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find("Couldn't make the thumbnail!"), std::string::npos) << run.err;
        EXPECT_LT(seconds, 1.0);
        EXPECT_FALSE(fs::exists(out));
    }
    for (const fs::path& missing : {folder / "missing.GP3", folder.path()}) {
        EXPECT_EQ(RunEntry(128, missing, folder / "missing.png").status, 1);
        EXPECT_FALSE(fs::exists(folder / "missing.png"));
    }
}

} // namespace
} // namespace tavolex
