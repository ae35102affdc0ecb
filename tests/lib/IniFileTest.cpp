#include <gtest/gtest.h>

#include "TestSupport.h"
#include "formats/IniFile.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;

TEST(IniFile, ReadsSectionsAndKeysWithoutRegardToCaseAndTrimsValues) {
    const IniFile ini =
        IniFile::Parse("; settings\r\n[Setup]\r\n  GP3Dir =  C:\\GP3  \r\nDisclaimer=abc\r\n[other]\r\nkey=1\r\n"
                       "[DIRECTORYS]\r\nOpen Car Set=\"/home/u/sets/\"\r\n");
    EXPECT_EQ(ini.value("setup", "gp3dir"), "C:\\GP3");
    EXPECT_EQ(ini.intValue("SETUP", "Disclaimer", 5), 0) << "no digits read as 0";
    EXPECT_EQ(ini.intValue("Setup", "Missing", 5), 5);
    EXPECT_EQ(ini.value("Directorys", "open car set"), "/home/u/sets/");
    EXPECT_FALSE(ini.value("Setup", "key"));
    EXPECT_EQ(ini.keys("Setup"), (std::vector<std::string>{"GP3Dir", "Disclaimer"}));
    EXPECT_EQ(ini.sections().size(), 3u);
}

TEST(IniFile, WritesInPlaceAppendsAtTheEndOfTheSectionAndKeepsTheRest) {
    IniFile ini = IniFile::Parse("; keep me\n[Setup]\nGP3Dir=/old\n\n[Other]\nx=1\n");
    ini.setValue("SETUP", "gp3dir", "/new");
    ini.setValue("Setup", "Disclaimer", "110");
    ini.setValue("Directorys", "Load Text", "/t/");
    EXPECT_EQ(ini.serialize(), "; keep me\n[Setup]\nGP3Dir=/new\nDisclaimer=110\n\n[Other]\nx=1\n\n"
                               "[Directorys]\nLoad Text=/t/\n");
    IniFile crlf = IniFile::Parse("[A]\r\nb=1\r\n");
    crlf.setValue("A", "c", "2");
    EXPECT_EQ(crlf.serialize(), "[A]\r\nb=1\r\nc=2\r\n") << "keeps the file's line ends";
    EXPECT_EQ(IniFile::Parse(ini.serialize()).serialize(), ini.serialize());
}

TEST(IniFile, ProfileFunctionsCreateTheFileOnFirstWrite) {
    ScratchFolder folder;
    const auto path = folder / "Tavolex.ini";
    EXPECT_EQ(ReadProfileString(path, "Setup", "GP3Dir", "%$"), "%$");
    EXPECT_EQ(ReadProfileInt(path, "Setup", "Disclaimer", 111), 111);
    ASSERT_TRUE(Ok(WriteProfileString(path, "Setup", "Disclaimer", "110")));
    EXPECT_EQ(ReadProfileInt(path, "setup", "DISCLAIMER", 111), 110);
    const auto bytes = ReadBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[Setup]\nDisclaimer=110\n");
    // A long value is read whole; the settings decide what to keep of it.
    const std::string longValue(5000, 'x');
    ASSERT_TRUE(Ok(WriteProfileString(path, "Setup", "GP3Dir", longValue)));
    EXPECT_EQ(ReadProfileString(path, "Setup", "GP3Dir", ""), longValue);
}

} // namespace
} // namespace tavolex
