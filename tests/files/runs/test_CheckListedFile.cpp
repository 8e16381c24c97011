#include "files/runs/CheckListedFile.h"

#include "files/runs/ConvertListedFile.h"
#include "tests/files/FileTesting.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace glyphwright {
namespace {

using testing::NamesIn;
using testing::ReadBytes;
using testing::WriteBytes;

std::string Escaped(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    return out;
}

Conversion Ending(LineEnds ends) {
    Conversion conversion = EncodeConversion();
    conversion.lineEnds = ends;
    return conversion;
}

class CheckListedFileTest : public ::testing::Test {
protected:
    std::string At(const std::string& name) const { return folder.Path() + "/" + name; }

    static FileList ListOf(const std::string& path) {
        FileList list;
        list.Append(path);
        return list;
    }

    glyphwright::testing::TempFolder folder;
};

// What a run would write, compared with the bytes on disk; the file and its
// folder stay exactly as they were.
TEST_F(CheckListedFileTest, TellsWhetherTheConversionWouldChangeTheFile) {
    struct Case {
        std::string bytes;
        Conversion conversion;
        bool wouldChange;
        Charset charset;
    };
    const std::vector<Case> cases{
        {"&auml;\r\n", EncodeConversion(), false, Charset::Windows1252},
        {"Gr\xFC\xDF\r\n", EncodeConversion(), true, Charset::Windows1252},
        {"Gr\xC3\xBC\xC3\x9F\r\n", EncodeConversion(), true, Charset::Utf8},
        {"Gr\xC3\xBC\xC3\x9F\r\n", DecodeConversion(), false, Charset::Utf8},
        {"&auml;\r\n", DecodeConversion(), true, Charset::Windows1252},
        {"", EncodeConversion(), false, Charset::Windows1252},
        // The line ends alone: a missing last one, LF, a lone CR.
        {"plain", EncodeConversion(), true, Charset::Windows1252},
        {"plain\n", DecodeConversion(), true, Charset::Windows1252},
        {"a\rb\r\n", EncodeConversion(), true, Charset::Windows1252},
        {"\xEF\xBB\xBFx\r\n", DecodeConversion(), false, Charset::Utf8},
        // Other line-end forms judge by their own rule.
        {"plain", Ending(LineEnds::Keep), false, Charset::Windows1252},
        {"a\rb\nc\r\n", Ending(LineEnds::Keep), false, Charset::Windows1252},
        {"Gr\xFC\n", Ending(LineEnds::Keep), true, Charset::Windows1252},
        {"a\nb\n", Ending(LineEnds::Lf), false, Charset::Windows1252},
        {"a\nb", Ending(LineEnds::Lf), true, Charset::Windows1252},
        {"a\r\n", Ending(LineEnds::Lf), true, Charset::Windows1252},
    };
    for (const Case& c : cases) {
        WriteBytes(At("page.htm"), c.bytes);
        struct stat before {};
        stat(At("page.htm").c_str(), &before);
        const CheckOutcome outcome = CheckListedFile(ListOf(At("page.htm")), 0, c.conversion);
        EXPECT_TRUE(outcome.checked) << Escaped(c.bytes) << ": " << DebugText(outcome.failure);
        EXPECT_EQ(outcome.wouldChange, c.wouldChange) << Escaped(c.bytes);
        EXPECT_EQ(outcome.charset, c.charset) << Escaped(c.bytes);
        struct stat after {};
        stat(At("page.htm").c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_TRUE(after.st_mtim.tv_sec == before.st_mtim.tv_sec &&
                    after.st_mtim.tv_nsec == before.st_mtim.tv_nsec);
        EXPECT_TRUE(after.st_ctim.tv_sec == before.st_ctim.tv_sec &&
                    after.st_ctim.tv_nsec == before.st_ctim.tv_nsec);
        EXPECT_EQ(ReadBytes(At("page.htm")), c.bytes);
        EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"page.htm"});
    }
}

// A file the conversion would refuse is not read, with the conversion's failure.
TEST_F(CheckListedFileTest, AFileTheConversionRefusesIsReportedAsTheConversionReportsIt) {
    WriteBytes(At("nul.htm"), std::string("a\0b", 3));
    WriteBytes(At("marked.htm"), "\xEF\xBB\xBF\xE4\n");
    WriteBytes(At("cp.htm"), "\xE4\n");
    folder.MakeFolder("dir.htm");
    struct Case {
        std::string name;
        CharsetRule rule;
    };
    for (const Case& c :
         {Case{"nul.htm", CharsetRule::PerFile}, Case{"marked.htm", CharsetRule::PerFile},
          Case{"cp.htm", CharsetRule::Utf8}, Case{"missing.htm", CharsetRule::PerFile},
          Case{"dir.htm", CharsetRule::PerFile}}) {
        const FileList list = ListOf(At(c.name));
        const CheckOutcome checked = CheckListedFile(list, 0, EncodeConversion(c.rule));
        EXPECT_FALSE(checked.checked) << c.name;
        EXPECT_FALSE(checked.wouldChange) << c.name;
        const FileOutcome converted = ConvertListedFile(list, 0, EncodeConversion(c.rule), {});
        EXPECT_FALSE(converted.converted) << c.name;
        EXPECT_EQ(checked.failure, converted.failure) << c.name;
    }
}

// The check says "would change" exactly when a conversion then changes the
// file, for every direction and character-set rule.
TEST_F(CheckListedFileTest, AgreesWithTheConversionOnRandomTexts) {
    const std::vector<std::string> pieces{"a",
                                          " ",
                                          "\xE4",
                                          "\xFC",
                                          "&",
                                          "&auml;",
                                          "&uuml",
                                          "&#132;",
                                          "\r",
                                          "\n",
                                          "\r\n",
                                          "\n\r",
                                          "\xC3\xA4",
                                          "\xE2\x82\xAC",
                                          "\xEF\xBB\xBF",
                                          "\xC3",
                                          "<meta charset=\"utf-8\">"};
    const std::vector<Conversion> conversions{EncodeConversion(),
                                              DecodeConversion(),
                                              EncodeConversion(CharsetRule::Utf8),
                                              DecodeConversion(CharsetRule::Utf8),
                                              EncodeConversion(CharsetRule::Windows1252),
                                              DecodeConversion(CharsetRule::Windows1252)};
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const std::size_t count = random() % 8;
        for (std::size_t i = 0; i < count; ++i) {
            bytes += pieces[random() % pieces.size()];
        }
        const std::size_t which = random() % conversions.size();
        WriteBytes(At("r.htm"), bytes);
        const FileList list = ListOf(At("r.htm"));
        const CheckOutcome checked = CheckListedFile(list, 0, conversions[which]);
        const FileOutcome converted = ConvertListedFile(list, 0, conversions[which], {});
        EXPECT_EQ(checked.checked, converted.converted)
            << Escaped(bytes) << " conversion " << which;
        EXPECT_EQ(checked.wouldChange, ReadBytes(At("r.htm")) != bytes)
            << Escaped(bytes) << " conversion " << which;
    }
}

} // namespace
} // namespace glyphwright
