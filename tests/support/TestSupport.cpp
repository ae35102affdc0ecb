#include "TestSupport.h"

#include <csignal>
#include <fstream>

#include <random>
#include <sys/resource.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "formats/Rgb565.h"

namespace tavolex::test {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    static std::mt19937 random(std::random_device{}());
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name =
        info != nullptr ? std::string(info->test_suite_name()) + "-" + info->name() : std::string("scratch");
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    path_ = fs::temp_directory_path() / ("tavolex-test-" + name + "-" + std::to_string(random()));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    // Tests make files read-only; give the permissions back so they can go.
    for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    // Without ignoring SIGXFSZ the process would be killed instead of the write failing.
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    previousSoft_ = limit.rlim_cur;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = previousSoft_;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}

CarSet NewSet() {
    CarSet carSet;
    NewCarSet(carSet);
    return carSet;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

namespace {
std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}
} // namespace

ProcessResult RunProcess(const ScratchFolder& folder, const std::string& program,
                         const std::vector<std::string>& arguments, const std::string& environmentPrefix) {
    std::string command = environmentPrefix + Quote(program);
    for (const auto& argument : arguments) {
        command += " " + Quote(argument);
    }
    const auto out = folder / "stdout.txt";
    const auto err = folder / "stderr.txt";
    command += " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    auto text = [](const fs::path& path) {
        const auto bytes = ReadBytes(path);
        return std::string(bytes.begin(), bytes.end());
    };
    return ProcessResult{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text(out), text(err)};
}

PackedBitmap PhotoLike24(int width, int height, unsigned seed) {
    PackedBitmap image(width, height, Depth::Bits24);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.topRow(y);
        for (int x = 0; x < width; ++x) {
            auto channel = [&](int base) {
                return static_cast<std::uint8_t>(std::clamp(base + noise(random), 0, 255));
            };
            row[3 * x + 0] = channel(x * 255 / width);
            row[3 * x + 1] = channel(y * 255 / height);
            row[3 * x + 2] = channel(((x + y) * 3) % 256);
        }
    }
    return image;
}

PackedBitmap Banded8(int width, int height, unsigned seed) {
    PackedBitmap image(width, height, Depth::Bits8);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.topRow(y);
        const auto band = static_cast<std::uint8_t>(random() % 256);
        for (int x = 0; x < width; ++x) {
            row[x] = (x / 16) % 3 == 0 ? static_cast<std::uint8_t>(random() % 256) : band;
        }
    }
    return image;
}

PackedBitmap ReducedTo565(const PackedBitmap& image) {
    PackedBitmap result = image;
    for (int r = 0; r < result.height(); ++r) {
        std::uint8_t* row = result.row(r);
        for (int x = 0; x < result.width(); ++x) {
            const std::uint16_t v = ToRgb565(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            row[3 * x + 0] = Blue565(v);
            row[3 * x + 1] = Green565(v);
            row[3 * x + 2] = Red565(v);
        }
    }
    return result;
}

} // namespace tavolex::test
