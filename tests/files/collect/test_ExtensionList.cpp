#include "files/collect/ExtensionList.h"
#include "files/collect/ListErrors.h"
#include "tests/files/RecordingObserver.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace glyphwright {
namespace {

using testing::RecordingObserver;

std::vector<std::string> Texts(const ExtensionList& list) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        texts.push_back(list.Text(i));
    }
    return texts;
}

TEST(ExtensionList, DefaultsAreTheSevenEntriesInOrderAllOff) {
    const ExtensionList list = ExtensionList::WithDefaults();
    EXPECT_EQ(Texts(list), (std::vector<std::string>{".HTM", ".HTML", ".INC", ".PHP", ".PHP3",
                                                     ".SHTM", ".SHTML"}));
    for (std::size_t i = 0; i < list.Count(); ++i) {
        EXPECT_FALSE(list.Mark(i)) << i;
    }
}

TEST(ExtensionList, AddInsertsAtTheSortedPlaceOffAndKeepsMarksWithTheirEntries) {
    ExtensionList list = ExtensionList::WithDefaults();
    list.SetMark(3, true); // .PHP
    EXPECT_EQ(list.Add(".ASP"), 0U);
    EXPECT_FALSE(list.Mark(0));
    EXPECT_EQ(list.Text(4), ".PHP");
    EXPECT_TRUE(list.Mark(4));
    EXPECT_EQ(list.Add(".zip"), 8U); // letter case does not decide the place
    EXPECT_EQ(list.Add(".JS"), 4U);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{".ASP", ".HTM", ".HTML", ".INC", ".JS", ".PHP",
                                                     ".PHP3", ".SHTM", ".SHTML", ".zip"}));
}

TEST(ExtensionList, EqualTextsGoAfterTheEntriesEqualToThem) {
    // Loading a saved list adds its entries in saved order; placing an equal
    // text last keeps that order, so each mark comes back to the same entry.
    ExtensionList list = ExtensionList::WithDefaults();
    list.SetMark(3, true);
    EXPECT_EQ(list.Add(".php"), 4U);
    EXPECT_EQ(list.Add(".PHP"), 5U);
    EXPECT_EQ(list.Text(3), ".PHP");
    EXPECT_TRUE(list.Mark(3));
    EXPECT_EQ(list.Text(4), ".php");
    EXPECT_EQ(list.Text(5), ".PHP");
    EXPECT_EQ(list.Text(6), ".PHP3");
}

TEST(ExtensionList, FindReturnsTheFirstEntryEqualIgnoringCase) {
    ExtensionList list;
    list.Add(".php");
    list.Add(".PHP");
    list.Add(".HTM");
    EXPECT_EQ(list.Find(".PHP"), 1U);
    EXPECT_EQ(list.Find(".Php"), 1U);
    EXPECT_EQ(list.Find(".htm"), 0U);
    EXPECT_FALSE(list.Find(".PH").has_value());
    EXPECT_FALSE(list.Find(".PHPX").has_value());
    EXPECT_FALSE(list.Find("").has_value());
}

TEST(ExtensionList, DeleteAndClear) {
    ExtensionList list = ExtensionList::WithDefaults();
    list.Delete(2);
    EXPECT_EQ(Texts(list),
              (std::vector<std::string>{".HTM", ".HTML", ".PHP", ".PHP3", ".SHTM", ".SHTML"}));
    list.Delete(6); // past the end: nothing
    EXPECT_EQ(list.Count(), 6U);
    list.Clear();
    EXPECT_EQ(list.Count(), 0U);
    EXPECT_FALSE(list.Find(".HTM").has_value());
}

TEST(ExtensionList, TellsTheObserverEveryChangeWithItsRows) {
    ExtensionList list = ExtensionList::WithDefaults();
    RecordingObserver observer;
    list.SetObserver(&observer);
    list.Add(".ASP");
    list.SetMark(0, true);
    list.SetMark(0, true); // unchanged: no call
    list.ToggleMark(0);
    list.Delete(7);
    list.Delete(9);
    list.Clear();
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"aboutToInsert 0-0", "inserted", "changed 0", "changed 0",
                                        "aboutToRemove 7-7", "removed", "aboutToReset", "reset"}));
}

TEST(ExtensionList, RefusesAnEntryPastItsMaximumUnchanged) {
    ExtensionList list(2);
    list.Add(".B");
    list.Add(".C");
    RecordingObserver observer;
    list.SetObserver(&observer);
    EXPECT_THROW(list.Add(".A"), ListFullError);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{".B", ".C"}));
    EXPECT_TRUE(observer.calls.empty());
}

TEST(ExtensionList, SortsAndFindsNonAsciiLettersIgnoringTheirCase) {
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    ExtensionList list;
    list.Add(".\xC3\xA4"); // .ä
    list.Add(".\xC3\x84"); // .Ä, equal ignoring case: after it
    list.Add(".Z");        // ä sorts after every ASCII letter
    EXPECT_EQ(Texts(list), (std::vector<std::string>{".Z", ".\xC3\xA4", ".\xC3\x84"}));
    EXPECT_EQ(list.Find(".\xC3\x84"), 1U);
    std::setlocale(LC_CTYPE, saved.c_str());
}

} // namespace
} // namespace glyphwright
