#include "settings/ExtensionSettings.h"

#include "tests/settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

using namespace glyphwright;
using glyphwright::testing::Golden;
using glyphwright::testing::ModeOf;
using glyphwright::testing::ReadBytes;
using glyphwright::testing::ScratchFolder;
using glyphwright::testing::WriteBytes;
using Entries = std::vector<std::pair<std::string, bool>>;
using Names = std::vector<std::string>;

namespace {

Entries EntriesOf(const ExtensionList& list) {
    Entries entries;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        entries.emplace_back(list.Text(i), list.Mark(i));
    }
    return entries;
}

ExtensionList ListOf(const Entries& entries) {
    ExtensionList list;
    for (const auto& [text, marked] : entries) {
        list.SetMark(list.Add(text), marked);
    }
    return list;
}

const Entries Defaults = {{".HTM", false},  {".HTML", false}, {".INC", false},  {".PHP", false},
                          {".PHP3", false}, {".SHTM", false}, {".SHTML", false}};

// Loads the golden file name into a list that starts with the defaults.
Entries LoadedFrom(const std::string& name, LoadOutcome expected = LoadOutcome::Loaded) {
    ScratchFolder folder;
    WriteBytes(folder / "conv.ini", Golden(name));
    ExtensionList list = ExtensionList::WithDefaults();
    EXPECT_EQ(LoadExtensionList(list, folder / "conv.ini"), expected) << name;
    return EntriesOf(list);
}

// Saves entries over the golden file name (none: no file) and returns the bytes.
std::string SavedOver(const std::string& name, const Entries& entries) {
    ScratchFolder folder;
    if (!name.empty()) {
        WriteBytes(folder / "conv.ini", Golden(name));
    }
    EXPECT_EQ(SaveExtensionList(ListOf(entries), folder / "conv.ini"), SaveOutcome::Saved);
    return ReadBytes(folder / "conv.ini");
}

} // namespace

TEST(ExtensionSettings, FirstStartKeepsTheDefaultsAndTheCloseWritesThemAll) {
    ScratchFolder folder;
    ExtensionList list = ExtensionList::WithDefaults();
    EXPECT_EQ(LoadExtensionList(list, folder / "conv.ini"), LoadOutcome::NoFile);
    EXPECT_EQ(EntriesOf(list), Defaults);

    EXPECT_EQ(SaveExtensionList(list, folder / "conv.ini"), SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(folder / "conv.ini"), Golden("defaults.expected.ini"));
}

TEST(ExtensionSettings, SavesAndLoadsTheMarks) {
    Entries marked = Defaults;
    marked[0].second = true;
    marked[3].second = true;
    EXPECT_EQ(SavedOver("", marked), Golden("two_marked.expected.ini"));
    EXPECT_EQ(LoadedFrom("two_marked.expected.ini"), marked);
}

TEST(ExtensionSettings, AFileWithoutTheSectionOrWithAnEmptyOneEmptiesTheList) {
    EXPECT_EQ(LoadedFrom("no_section.ini"), Entries{});
    EXPECT_EQ(LoadedFrom("empty_section.ini"), Entries{});
}

TEST(ExtensionSettings, NamesEqualIgnoringCaseGiveOneEntryValuedByTheFirstLine) {
    EXPECT_EQ(LoadedFrom("case_duplicates.ini"), (Entries{{".HTM", true}}));
    EXPECT_EQ(SavedOver("case_duplicates.ini", {{".HTM", true}}),
              Golden("case_duplicates.expected.ini"));
}

TEST(ExtensionSettings, OnlyTheValueOneMarksOnAndAnEmptyValueGivesNoEntry) {
    EXPECT_EQ(LoadedFrom("values.ini"), (Entries{{".HTM", true},
                                                 {".HTML", false},
                                                 {".INC", false},
                                                 {".PHP3", false},
                                                 {".SHTM", false}}));
}

TEST(ExtensionSettings, AnEntryHoldingEqualsComesBackAsItsFirstPartMarkedOff) {
    EXPECT_EQ(SavedOver("", {{".A=B", true}}), Golden("equals_entry.expected.ini"));
    EXPECT_EQ(LoadedFrom("equals_entry.expected.ini"), (Entries{{".A", false}}));
}

TEST(ExtensionSettings, DuplicateEntriesShareOneLineWithTheLastMark) {
    EXPECT_EQ(SavedOver("", {{".PHP", true}, {".PHP", false}}),
              Golden("duplicates_at_save.expected.ini"));
    EXPECT_EQ(LoadedFrom("duplicates_at_save.expected.ini"), (Entries{{".PHP", false}}));
}

TEST(ExtensionSettings, OtherSectionsStayAsTheyWere) {
    EXPECT_EQ(SavedOver("other_sections.ini", {{".HTM", true}, {".PHP", true}, {".INC", false}}),
              Golden("other_sections.expected.ini"));
    EXPECT_EQ(LoadedFrom("other_sections.ini"), (Entries{{".HTM", true}, {".PHP", false}}));
}

// A last line without a line end stays so; [Ext] goes in front of its section.
TEST(ExtensionSettings, ALastLineWithoutALineEndKeepsItsSectionByteForByte) {
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"[Ext]\r\n.HTM=0\r\n[Other]\r\nx=1", "[Ext]\r\n.HTM=1\r\n[Other]\r\nx=1"},
        {"; top\n[Other]\nx=1", "; top\n[Ext]\r\n.HTM=1\r\n[Other]\nx=1"},
        {"[Other]\r\nx=1\r\n[Ext]\r\n.HTM=0", "[Other]\r\nx=1\r\n[Ext]\r\n.HTM=1\r\n"},
        {"; top", "; top\r\n[Ext]\r\n.HTM=1\r\n"},
    };
    for (const auto& [before, after] : cases) {
        ScratchFolder folder;
        WriteBytes(folder / "conv.ini", before);
        EXPECT_EQ(SaveExtensionList(ListOf({{".HTM", true}}), folder / "conv.ini"),
                  SaveOutcome::Saved);
        EXPECT_EQ(ReadBytes(folder / "conv.ini"), after) << before;
    }
}

TEST(ExtensionSettings, AnEmptyListAtCloseRemovesTheSection) {
    EXPECT_EQ(SavedOver("other_sections.ini", {}), Golden("other_sections.emptied.ini"));
    EXPECT_EQ(LoadedFrom("other_sections.emptied.ini"), Entries{});

    // Without a file an empty one is left, so the next start shows the empty list.
    ScratchFolder folder;
    EXPECT_EQ(SaveExtensionList(ExtensionList(), folder / "conv.ini"), SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(folder / "conv.ini"), "");
    ExtensionList list = ExtensionList::WithDefaults();
    EXPECT_EQ(LoadExtensionList(list, folder / "conv.ini"), LoadOutcome::Loaded);
    EXPECT_EQ(list.Count(), 0u);
}

TEST(ExtensionSettings, ReadsAndRewritesAFileEditedByHand) {
    EXPECT_EQ(LoadedFrom("hand_edited.ini"),
              (Entries{{".htm", true}, {".PHP", true}, {".Shtml", true}}));
    EXPECT_EQ(SavedOver("hand_edited.ini", {{".htm", true}, {".PHP", true}, {".Shtml", true}}),
              Golden("hand_edited.expected.ini"));
}

TEST(ExtensionSettings, NamesBeyondTheBufferAreNotReadAndTheCutNameGivesNoEntry) {
    // 1,023 names fit the 8,192-byte buffer whole; the 1,024th is cut to ".N0102".
    std::string bytes = "[Ext]\r\n";
    for (int i = 0; i < 1100; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, ".N%05d", i);
        bytes += std::string(name) + "=1\r\n";
    }
    ScratchFolder folder;
    WriteBytes(folder / "conv.ini", bytes);
    ExtensionList list;
    ASSERT_EQ(LoadExtensionList(list, folder / "conv.ini"), LoadOutcome::Loaded);
    ASSERT_EQ(list.Count(), 1023u);
    EXPECT_EQ(list.Text(1022), ".N01022");
    EXPECT_FALSE(list.Find(".N0102"));

    ASSERT_EQ(SaveExtensionList(list, folder / "conv.ini"), SaveOutcome::Saved);
    const std::string saved = ReadBytes(folder / "conv.ini");
    EXPECT_EQ(saved, bytes.substr(0, bytes.find(".N01023")));
}

TEST(ExtensionSettings, AFailureWhileLoadingKeepsTheEntriesAddedSoFar) {
    ScratchFolder folder;
    WriteBytes(folder / "conv.ini", Golden("two_marked.expected.ini"));
    ExtensionList list(3);
    list.Add(".OLD");
    EXPECT_EQ(LoadExtensionList(list, folder / "conv.ini"), LoadOutcome::Failed);
    EXPECT_EQ(EntriesOf(list), (Entries{{".HTM", true}, {".HTML", false}, {".INC", false}}));
}

TEST(ExtensionSettings, AnOldFileCountsAsPresent) {
    ScratchFolder folder;
    WriteBytes(folder / "conv.ini", Golden("empty_section.ini"));
    const timespec beforeDosDates[2] = {{0, 0}, {0, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder / "conv.ini").c_str(), beforeDosDates, 0), 0);
    ExtensionList list = ExtensionList::WithDefaults();
    EXPECT_EQ(LoadExtensionList(list, folder / "conv.ini"), LoadOutcome::Loaded);
    EXPECT_EQ(list.Count(), 0u);
}

TEST(ExtensionSettings, APresentFileThatCannotBeReadFailsAndKeepsTheList) {
    // /proc/self/mem is a regular file whose first bytes can't be read, even by root.
    ExtensionList list = ExtensionList::WithDefaults();
    EXPECT_EQ(LoadExtensionList(list, "/proc/self/mem"), LoadOutcome::Failed);
    EXPECT_EQ(EntriesOf(list), Defaults);
    // Nor is it replaced by a save that could not read the other sections.
    EXPECT_EQ(SaveExtensionList(list, "/proc/self/mem"), SaveOutcome::Failed);
}

TEST(ExtensionSettings, AReadOnlyFileIsLeftUnchanged) {
    ScratchFolder folder;
    const std::string file = folder / "conv.ini";
    WriteBytes(file, Golden("other_sections.ini"));
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(SaveExtensionList(ListOf(Defaults), file), SaveOutcome::Failed);
    EXPECT_EQ(ReadBytes(file), Golden("other_sections.ini"));
    EXPECT_EQ(ModeOf(file), 0444u);
    EXPECT_EQ(folder.Names(), Names{"conv.ini"});
}

TEST(ExtensionSettings, AMissingFolderIsCreatedWhenSaving) {
    ScratchFolder folder;
    const std::string file = folder / "config/glyphwright/glyphwright.ini";
    EXPECT_EQ(SaveExtensionList(ListOf(Defaults), file), SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(file), Golden("defaults.expected.ini"));
    EXPECT_EQ(ModeOf(folder / "config/glyphwright"), 0700u);
}

TEST(ExtensionSettings, AFolderThatCannotBeMadeFailsTheSave) {
    ScratchFolder folder;
    WriteBytes(folder / "config", "a file in the way");
    EXPECT_EQ(SaveExtensionList(ListOf(Defaults), folder / "config/glyphwright/glyphwright.ini"),
              SaveOutcome::Failed);
    EXPECT_EQ(ReadBytes(folder / "config"), "a file in the way");
}

TEST(ExtensionSettings, AnEntryTheFileCannotHoldFailsTheSaveBeforeAnythingChanges) {
    ScratchFolder folder;
    const std::string file = folder / "conv.ini";
    WriteBytes(file, Golden("two_marked.expected.ini"));
    EXPECT_EQ(SaveExtensionList(ListOf({{".A", true}, {"[Other", true}}), file),
              SaveOutcome::Failed);
    EXPECT_EQ(ReadBytes(file), Golden("two_marked.expected.ini"));
}
