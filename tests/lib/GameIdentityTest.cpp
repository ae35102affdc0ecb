// A real game, whose identification bytes are not the ones built in, is
// recognised by its contents; damaged or foreign files are not.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "game/GameFiles.h"
#include "game/GameIdentity.h"
#include "game/MenuArtArchive.h"
#include "game/TeamTables.h"
#include "sample/SampleArt.h"
#include "sample/SampleGame.h"
#include "settings/Settings.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

constexpr std::string_view kCredit = "Grand Prix 3 (c) 1998 Test"; // 26 characters

SampleIdentity Credited() {
    const auto identity = SampleIdentityWithCredit(kCredit);
    EXPECT_TRUE(identity.has_value());
    return identity.value_or(SampleIdentity{});
}

class GameIdentityTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { exe_ = new std::vector<std::uint8_t>(SampleExecutable(Credited().exeText)); }
    static void TearDownTestSuite() { delete exe_; }

    ExeIdentity identify(const std::vector<std::uint8_t>& exe,
                         const std::optional<ExeIdentificationText>& remembered = std::nullopt) {
        WriteBytes(folder_ / "GP3.EXE", exe);
        return IdentifyGameExecutable(GameFolder(folder_.path()), remembered);
    }

    static std::vector<std::uint8_t>* exe_;
    ScratchFolder folder_;
};
std::vector<std::uint8_t>* GameIdentityTest::exe_ = nullptr;

TEST_F(GameIdentityTest, AnotherCreditTextIsRecognisedByContentsAndThenByTheRememberedText) {
    const ExeIdentity identity = identify(*exe_);
    EXPECT_EQ(identity.status, ExeStatus::Supported);
    EXPECT_EQ(identity.by, IdentifiedBy::Contents);
    EXPECT_EQ(identity.text, Credited().exeText);
    EXPECT_EQ(IdentifyExecutable(GameFolder(folder_.path())), ExeStatus::Supported);

    // Remembered in the settings file, and compared as the text from then on.
    const auto settingsFile = folder_ / "Tavolex.ini";
    ASSERT_TRUE(Ok(WriteExeIdentification(settingsFile, IdentificationToHex(identity.text))));
    const auto remembered = ExeIdentificationFromHex(ReadSettings(settingsFile).exeIdentification);
    ASSERT_TRUE(remembered.has_value());
    EXPECT_EQ(*remembered, identity.text);
    EXPECT_EQ(identify(*exe_, remembered).by, IdentifiedBy::Text);
    // The remembered text holds even where the tables no longer read as the game's.
    auto renamed = *exe_;
    renamed[exe_offsets::kTeamNames] = 0x07;
    EXPECT_EQ(identify(renamed, remembered).status, ExeStatus::Supported);
    EXPECT_EQ(identify(renamed).status, ExeStatus::Unreadable);

    EXPECT_EQ(identify(SampleExecutable()).by, IdentifiedBy::Text) << "the built-in bytes";
}

TEST_F(GameIdentityTest, DamagedTablesAForeignTextOrASmallFileAreNotRecognised) {
    auto changed = [&](std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
        auto exe = *exe_;
        std::copy(bytes.begin(), bytes.end(), exe.begin() + static_cast<std::ptrdiff_t>(offset));
        exe.push_back(0); // one byte beyond the known size: unsupported, not unreadable
        return exe;
    };
    struct Case {
        const char* what;
        std::size_t offset;
        std::initializer_list<std::uint8_t> bytes;
    } cases[] = {
        {"a team name without its zero",
         exe_offsets::kTeamNames + 13 * 4,
         {'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A'}},
        {"a control character in a driver name", exe_offsets::kDriverNames + 24 * 21 + 2, {0x01}},
        {"an engine name of 0x7F", exe_offsets::kEngineNames, {0x7F, 0}},
        {"a selected-driver byte of another driver", exe_offsets::kSelected + 5, {7}},
        {"a tyre type of neither value", exe_offsets::kTyreTypes + 4 * 10, {0x34, 0x03, 0x35, 0x04}},
        {"a non-printable credit text", kExeIdentificationOffset + 26, {0x07}},
        {"a credit text without its mark", kExeIdentificationOffset, {'C'}},
    };
    for (const Case& c : cases) {
        const ExeIdentity identity = identify(changed(c.offset, c.bytes));
        EXPECT_EQ(identity.status, ExeStatus::Unsupported) << c.what;
        EXPECT_EQ(identity.by, IdentifiedBy::None) << c.what;
    }
    EXPECT_EQ(identify(changed(exe_offsets::kSelected + 5, {6 + 128})).status, ExeStatus::Supported)
        << "a selected driver keeps its number";

    // The text is read only from files larger than 8,429,048 bytes.
    const std::vector<std::uint8_t> small(exe_->begin(), exe_->begin() + 8429048);
    EXPECT_EQ(identify(small).status, ExeStatus::Unsupported);
    const std::vector<std::uint8_t> justLarger(exe_->begin(), exe_->begin() + 8429049);
    EXPECT_EQ(identify(justLarger).by, IdentifiedBy::Contents);
}

TEST_F(GameIdentityTest, TheFirstPatchKeepsTheOriginalOnceAndOnlyForAGameRecognisedByContents) {
    WriteBytes(folder_ / "GP3.EXE", *exe_);
    const GameFolder game(folder_.path());
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[2].teamName = "Renamed";
    ASSERT_EQ(WriteTeamTables(game, team_data::TeamNames, carSet), Error::None);
    const auto original = folder_ / "GP3.EXE.orig";
    EXPECT_EQ(OriginalExecutableCopy(game), original);
    EXPECT_EQ(ReadBytes(original), *exe_);
    const auto patched = ReadBytes(folder_ / "GP3.EXE");
    EXPECT_NE(patched, *exe_);
    EXPECT_EQ(IdentifyGameExecutable(game).by, IdentifiedBy::Contents) << "the editor's writes keep it recognisable";

    carSet.teams[2].teamName = "Again";
    ASSERT_EQ(WriteTeamTables(game, team_data::TeamNames, carSet), Error::None);
    EXPECT_EQ(ReadBytes(original), *exe_) << "the copy is never replaced";

    ScratchFolder builtIn;
    WriteBytes(builtIn / "GP3.EXE", SampleExecutable());
    ASSERT_EQ(WriteTeamTables(GameFolder(builtIn.path()), team_data::TeamNames, carSet), Error::None);
    EXPECT_FALSE(std::filesystem::exists(builtIn / "GP3.EXE.orig"));
}

TEST(ArtIdentity, AnotherSignatureOverASoundDirectoryIsRecognisedByContents) {
    const ArtSignature signature = Credited().artSignature;
    EXPECT_EQ(signature[27], '.');
    const auto archive = BuildSampleArtArchive(signature);
    EXPECT_EQ(IdentifyArtArchive(archive, archive.size()).by, IdentifiedBy::Contents);
    EXPECT_EQ(IdentifyArtArchive(archive, archive.size(), signature).by, IdentifiedBy::Text);
    EXPECT_EQ(IdentifyArtArchive(BuildSampleArtArchive(), archive.size()).by, IdentifiedBy::Text);
    std::vector<ArtEntry> entries;
    EXPECT_EQ(ReadArtDirectory(archive, entries), Error::None);

    // A team picture's block beyond the end of the file, or a foreign text.
    auto outside = archive;
    WriteU32(outside.data() + kArtHeaderSize + kArtEntrySize * 400 + 20, static_cast<std::uint32_t>(archive.size()));
    EXPECT_EQ(IdentifyArtArchive(outside, outside.size()).by, IdentifiedBy::None);
    EXPECT_EQ(ReadArtDirectory(outside, entries), Error::BadMagic);
    auto foreign = archive;
    foreign[10] = 0x0A;
    EXPECT_EQ(IdentifyArtArchive(foreign, foreign.size()).by, IdentifiedBy::None);
    // A picture of no team may lie anywhere: only the teams' are read.
    auto other = archive;
    WriteU32(other.data() + kArtHeaderSize + kArtEntrySize * 700 + 20, 0x7FFFFFFF);
    EXPECT_EQ(IdentifyArtArchive(other, other.size()).by, IdentifiedBy::Contents);

    ScratchFolder folder;
    WriteBytes(folder / "GP3ART5.BIN", archive);
    const ArtIdentity fromFile = IdentifyArtArchiveFile(folder / "GP3ART5.BIN");
    EXPECT_EQ(fromFile.by, IdentifiedBy::Contents);
    EXPECT_EQ(fromFile.signature, signature);
    EXPECT_EQ(IdentifyArtArchiveFile(folder / "missing.bin").by, IdentifiedBy::None);
}

TEST(IdentificationText, HexFormAndTheCreditRule) {
    const ExeIdentificationText text = Credited().exeText;
    EXPECT_EQ(ExeIdentificationFromHex(IdentificationToHex(text)), text);
    EXPECT_EQ(IdentificationToHex(std::array<std::uint8_t, 2>{0xA9, 0x0F}), "A90F");
    EXPECT_FALSE(ExeIdentificationFromHex("A9"));
    EXPECT_FALSE(ExeIdentificationFromHex(IdentificationToHex(text) + "00"));
    EXPECT_FALSE(ArtSignatureFromHex(IdentificationToHex(text)));
    ExeIdentificationText unmarked = text;
    unmarked[0] = 'x';
    EXPECT_FALSE(ExeIdentificationFromHex(IdentificationToHex(unmarked))) << "only the game's form is remembered";
    EXPECT_FALSE(SampleIdentityWithCredit("too short"));
    EXPECT_FALSE(SampleIdentityWithCredit("Grand Prix 3 (c) 1998 T\xE9st"));
    EXPECT_STREQ(IdentifiedByName(IdentifiedBy::Contents), "contents");
    EXPECT_EQ(IdentifiedByName(IdentifiedBy::None), nullptr);
}

} // namespace
} // namespace tavolex
