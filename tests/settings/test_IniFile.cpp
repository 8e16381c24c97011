#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <string>

using glyphwright::IniFile;
using glyphwright::IniFormatError;
using glyphwright::NamesInBuffer;
using Names = std::vector<std::string>;

namespace {

std::string Erased(const std::string& bytes, const std::string& section = "Ext") {
    IniFile ini(bytes);
    ini.EraseSection(section);
    return ini.Bytes();
}

std::string Written(const std::string& bytes, const std::string& name, const std::string& value) {
    IniFile ini(bytes);
    ini.WriteValue("Ext", name, value);
    return ini.Bytes();
}

Names NamesOf(const std::string& bytes) {
    return NamesInBuffer(IniFile(bytes).NamesBuffer("Ext"));
}

} // namespace

TEST(IniFile, KeepsEveryByteItWasGiven) {
    for (const std::string& bytes :
         Names{"", "\r\n", "a", "[Ext]\r\nx=1", std::string("\n\n\r\r\n\0x=\r", 9)}) {
        EXPECT_EQ(IniFile(bytes).Bytes(), bytes);
    }
}

TEST(IniFile, ListsSettingNamesInFileOrderAcrossBothPartsOfASection) {
    const std::string bytes = "top=0\r\n"
                              "[Other]\r\n.A=1\r\n"
                              "[ ext ]\r\n"
                              "; comment=1\r\n"
                              "  .B = 1 \r\n"
                              "no equals sign\r\n"
                              "=empty name\r\n"
                              "\r\n"
                              ".b=0\r\n"
                              "[EXT]\n"
                              ".C=1";
    EXPECT_EQ(NamesOf(bytes), (Names{".B", ".b", ".C"}));
    EXPECT_EQ(IniFile(bytes).NamesBuffer("Ext"), std::string(".B\0.b\0.C\0\0", 10));
}

TEST(IniFile, NamesBufferIsEmptyWithoutSettings) {
    EXPECT_EQ(IniFile("").NamesBuffer("Ext"), "");
    EXPECT_EQ(IniFile("[Other]\r\nx=1\r\n").NamesBuffer("Ext"), "");
    EXPECT_EQ(IniFile("[Ext]\r\n\r\n; x=1\r\n").NamesBuffer("Ext"), "");
}

TEST(IniFile, NamesBufferCutsTheLastNameThatPartlyFits) {
    // 1,023 names of 7 bytes take 8,184 bytes with their zero bytes; six bytes of
    // the next name fit before the two closing zero bytes, and nothing after it.
    std::string bytes = "[Ext]\r\n";
    for (int i = 0; i < 1100; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, ".N%05d", i);
        bytes += std::string(name) + "=1\r\n";
    }
    const std::string buffer = IniFile(bytes).NamesBuffer("Ext");
    ASSERT_EQ(buffer.size(), IniFile::NamesBufferSize);
    EXPECT_EQ(buffer.substr(buffer.size() - 9), std::string(".N0102\0\0", 8).insert(0, 1, '\0'));

    const Names names = NamesInBuffer(buffer);
    ASSERT_EQ(names.size(), 1024u);
    EXPECT_EQ(names[1022], ".N01022");
    EXPECT_EQ(names[1023], ".N0102");
}

TEST(IniFile, NamesBufferCutsAnOverlongSingleName) {
    const std::string name(9000, 'x');
    const std::string buffer = IniFile("[Ext]\r\n" + name + "=1\r\n").NamesBuffer("Ext");
    ASSERT_EQ(buffer.size(), IniFile::NamesBufferSize);
    EXPECT_EQ(NamesInBuffer(buffer), Names{std::string(IniFile::NamesBufferSize - 2, 'x')});
}

TEST(IniFile, ReadsTheFirstMatchingSettingIgnoringCase) {
    const IniFile ini("[Other]\r\n.htm=7\r\n[Ext]\r\n.htm=1\r\n.HTM=0\r\n.eq = a=b \r\n");
    EXPECT_EQ(ini.ReadValue("ext", ".HTM"), "1");
    EXPECT_EQ(ini.ReadValue("Ext", " .Htm "), "1");
    EXPECT_EQ(ini.ReadValue("Ext", ".EQ"), "a=b");
    EXPECT_EQ(ini.ReadValue("Ext", ".none"), "");
    EXPECT_EQ(ini.ReadValue("Other", ".HTM"), "7");
}

TEST(IniFile, ReadsQuotedValuesWithoutTheirQuotes) {
    const IniFile ini("[Ext]\r\na=\"1\"\r\nb='x y'\r\nc=\"1'\r\nd=\"\r\n");
    EXPECT_EQ(ini.ReadValue("Ext", "a"), "1");
    EXPECT_EQ(ini.ReadValue("Ext", "b"), "x y");
    EXPECT_EQ(ini.ReadValue("Ext", "c"), "\"1'");
    EXPECT_EQ(ini.ReadValue("Ext", "d"), "\"");
}

TEST(IniFile, CutsValuesToTheValueBufferAndAtAZeroByte) {
    const std::string longValue(2000, 'v');
    const IniFile ini("[Ext]\r\nlong=" + longValue + "\r\nzero=ab" + std::string(1, '\0') +
                      "cd\r\n");
    EXPECT_EQ(ini.ReadValue("Ext", "long"), std::string(IniFile::ValueBufferSize - 1, 'v'));
    EXPECT_EQ(ini.ReadValue("Ext", "zero"), "ab");
}

TEST(IniFile, ErasesEveryPartOfTheSectionAndNothingElse) {
    EXPECT_EQ(
        Erased("a=1\r\n[Other]\r\nb=2\r\n\r\n[ext]\r\n.X=1\r\n\r\n[Last]\nc=3\n[EXT]\r\n.Y=0"),
        "a=1\r\n[Other]\r\nb=2\r\n\r\n[Last]\nc=3\n");
    EXPECT_EQ(Erased("[Ext]\r\n"), "");
}

TEST(IniFile, ErasingAMissingSectionChangesNothing) {
    const std::string bytes = "[Other]\r\nExt=1\r\n[Ext2]\r\nx=1";
    EXPECT_EQ(Erased(bytes), bytes);
    EXPECT_EQ(Erased(""), "");
}

TEST(IniFile, WritingReplacesTheFirstMatchingValueInPlace) {
    EXPECT_EQ(Written("[Ext]\r\n.htm = 1  \r\n.HTM=1\r\n[After]\r\n", ".HTM", "0"),
              "[Ext]\r\n.htm =0\r\n.HTM=1\r\n[After]\r\n");
    EXPECT_EQ(Written("[Ext]\n.A=1\n", ".a", "0"), "[Ext]\n.A=0\n");
}

TEST(IniFile, WritingAppendsAfterTheSectionsLastNonBlankLine) {
    EXPECT_EQ(Written("[Ext]\r\n.A=1\r\n; note\r\n\r\n[After]\r\nx=1\r\n", ".B", "0"),
              "[Ext]\r\n.A=1\r\n; note\r\n.B=0\r\n\r\n[After]\r\nx=1\r\n");
    EXPECT_EQ(Written("[Ext]\r\n.A=1\r\n[Other]\r\n[ext]\n", ".B", "0"),
              "[Ext]\r\n.A=1\r\n[Other]\r\n[ext]\n.B=0\r\n");
    EXPECT_EQ(Written("[Ext]", ".B", "0"), "[Ext]\r\n.B=0\r\n");
}

TEST(IniFile, WritingAddsAMissingSectionAtTheEnd) {
    EXPECT_EQ(Written("", ".HTM", "1"), "[Ext]\r\n.HTM=1\r\n");
    EXPECT_EQ(Written("[Other]\r\nx=1\r\n", ".HTM", "1"), "[Other]\r\nx=1\r\n[Ext]\r\n.HTM=1\r\n");
    // In front of the last section when its last line has no line end, which it keeps.
    EXPECT_EQ(Written("[Other]\nx=1", ".HTM", "1"), "[Ext]\r\n.HTM=1\r\n[Other]\nx=1");
}

TEST(IniFile, WritingANameHoldingEqualsAddsALineThatReadsBackAsItsFirstPart) {
    IniFile ini;
    ini.WriteValue("Ext", ".A=B", "1");
    ini.WriteValue("Ext", ".A=B", "0");
    EXPECT_EQ(ini.Bytes(), "[Ext]\r\n.A=B=1\r\n.A=B=0\r\n");
    EXPECT_EQ(ini.ReadValue("Ext", ".A"), "B=1");
}

TEST(IniFile, RefusesNamesAndValuesThatWouldBreakTheFile) {
    const std::string bytes = "[Ext]\r\n.A=1\r\n[Other]\r\nx=1\r\n";
    IniFile ini(bytes);
    for (const std::string& name :
         Names{"", "  ", "[Other", ";x", ".A\r\n[Other]", std::string("a\0b", 3)}) {
        EXPECT_THROW(ini.WriteValue("Ext", name, "1"), IniFormatError) << name;
    }
    EXPECT_THROW(ini.WriteValue("Ext", ".A", "1\n[Other]"), IniFormatError);
    EXPECT_THROW(ini.WriteValue("E]xt", ".A", "1"), IniFormatError);
    EXPECT_EQ(ini.Bytes(), bytes);
}
