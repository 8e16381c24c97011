#include "files/collect/ExtensionList.h"
#include "files/collect/IsAcceptedFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale.h>
#include <string>

namespace glyphwright {
namespace {

// Runs a test under a given LC_CTYPE and puts the previous one back.
class UnderLocale {
public:
    explicit UnderLocale(const char* name) : saved_(std::setlocale(LC_CTYPE, nullptr)) {
        ok_ = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~UnderLocale() { std::setlocale(LC_CTYPE, saved_.c_str()); }
    UnderLocale(const UnderLocale&) = delete;
    UnderLocale& operator=(const UnderLocale&) = delete;
    bool Ok() const { return ok_; }

private:
    std::string saved_;
    bool ok_ = false;
};

ExtensionList WithMarked(std::initializer_list<const char*> marked) {
    ExtensionList list = ExtensionList::WithDefaults();
    for (const char* text : marked) {
        list.SetMark(*list.Find(text), true);
    }
    return list;
}

TEST(IsAcceptedFile, TakesTheExtensionFromTheLastDelimiter) {
    EXPECT_EQ(ExtensionOf("index.htm"), ".htm");
    EXPECT_EQ(ExtensionOf("archive.tar.php"), ".php");
    EXPECT_EQ(ExtensionOf(".htaccess"), ".htaccess");
    EXPECT_EQ(ExtensionOf("page."), ".");
    EXPECT_EQ(ExtensionOf("README"), "");
    EXPECT_EQ(ExtensionOf(""), "");
    EXPECT_EQ(ExtensionOf("C:\\Web\\site.old\\README"), "");
    EXPECT_EQ(ExtensionOf("/web/site.old/README"), "");
    EXPECT_EQ(ExtensionOf("/web/site.htm/"), "");
    EXPECT_EQ(ExtensionOf("C:site.htm:stream"), "");
    EXPECT_EQ(ExtensionOf("/web/site.old/page.HTM"), ".HTM");
}

TEST(IsAcceptedFile, UpperCasesAToZOnly) {
    EXPECT_EQ(UpperCaseAToZ(".php3"), ".PHP3");
    EXPECT_EQ(UpperCaseAToZ(". php"), ". PHP");
    EXPECT_EQ(UpperCaseAToZ(".\xC3\xA4x"), ".\xC3\xA4X"); // ä stays
    EXPECT_EQ(UpperCaseAToZ(".\xE4"), ".\xE4");
    EXPECT_EQ(UpperCaseAToZ(std::string("a\0z", 3)), std::string("A\0Z", 3));
}

TEST(IsAcceptedFile, AcceptsOnlyWhenTheExtensionsEntryIsMarked) {
    const ExtensionList defaults = ExtensionList::WithDefaults();
    EXPECT_FALSE(IsAcceptedFile("index.htm", defaults));

    const ExtensionList list = WithMarked({".HTM", ".PHP"});
    EXPECT_TRUE(IsAcceptedFile("index.htm", list));
    EXPECT_TRUE(IsAcceptedFile("/web/index.htm", list));
    EXPECT_TRUE(IsAcceptedFile("Page.Htm", list));
    EXPECT_TRUE(IsAcceptedFile("PAGE.HTM", list));
    EXPECT_TRUE(IsAcceptedFile("archive.tar.php", list));
    EXPECT_FALSE(IsAcceptedFile("index.html", list)); // .HTML is off
    EXPECT_FALSE(IsAcceptedFile("index.htmx", list));
    EXPECT_FALSE(IsAcceptedFile(".htaccess", list));
    EXPECT_FALSE(IsAcceptedFile("page.", list));
    EXPECT_FALSE(IsAcceptedFile("README", list));
    EXPECT_FALSE(IsAcceptedFile("/web/site.htm/README", list));
    EXPECT_FALSE(IsAcceptedFile("/web/site.htm/", list));
    EXPECT_FALSE(IsAcceptedFile("C:\\Web\\site.htm\\README", list));
}

TEST(IsAcceptedFile, UnusualEntries) {
    ExtensionList list;
    list.SetMark(list.Add(".php"), true); // lower case, as a settings file may hold it
    list.SetMark(list.Add(".TAR.PHP"), true);
    list.SetMark(list.Add("."), true);
    list.SetMark(list.Add(""), true);
    EXPECT_TRUE(IsAcceptedFile("x.PHP", list));
    EXPECT_TRUE(IsAcceptedFile("x.php", list));
    EXPECT_TRUE(IsAcceptedFile("archive.tar.php", list)); // by .php, never by .TAR.PHP
    EXPECT_TRUE(IsAcceptedFile("page.", list));
    EXPECT_FALSE(IsAcceptedFile("README", list)); // the empty extension never
    EXPECT_FALSE(IsAcceptedFile("", list));
}

TEST(IsAcceptedFile, TheFirstOfEqualEntriesDecides) {
    ExtensionList list;
    list.Add(".PHP");
    list.SetMark(list.Add(".PHP"), true); // the second, marked
    EXPECT_FALSE(IsAcceptedFile("x.php", list));
    list.SetMark(0, true);
    list.SetMark(1, false);
    EXPECT_TRUE(IsAcceptedFile("x.php", list));
    list.Clear();
    EXPECT_FALSE(IsAcceptedFile("x.php", list));
}

TEST(IsAcceptedFile, FoldsNonAsciiLettersUnderAUtf8Locale) {
    const UnderLocale locale("C.UTF-8");
    ASSERT_TRUE(locale.Ok());
    ExtensionList list;
    list.SetMark(list.Add(".\xC3\x84"), true);                // .Ä
    EXPECT_TRUE(IsAcceptedFile("x.\xC3\xA4", list));          // x.ä
    EXPECT_TRUE(IsAcceptedFile("x.\xC3\x84", list));          // x.Ä
    EXPECT_FALSE(IsAcceptedFile("x.\xC3\xB6", list));         // x.ö
    EXPECT_FALSE(IsAcceptedFile("x.\xE4", list));             // Latin-1 ä is no UTF-8 letter
    list.SetMark(list.Add(".\xC3\xA9T\xC3\xA9"), true);       // .éTé
    EXPECT_TRUE(IsAcceptedFile("x.\xC3\x89t\xC3\x89", list)); // x.ÉtÉ
}

TEST(IsAcceptedFile, ReadsNamesAsUtf8UnderThePlainCLocale) {
    // A process started with LANG unset runs under "C"; the names on disk are
    // still UTF-8, so ".Ä" still takes "x.ä".
    const UnderLocale locale("C");
    ASSERT_TRUE(locale.Ok());
    ExtensionList list;
    list.SetMark(list.Add(".\xC3\x84"), true);
    EXPECT_TRUE(IsAcceptedFile("x.\xC3\xA4", list));
    EXPECT_FALSE(IsAcceptedFile("x.\xE4", list));
    EXPECT_FALSE(IsAcceptedFile("x.\xC3", list)); // a cut sequence is only bytes
    // The comparison must leave the thread's locale as it found it.
    EXPECT_EQ(uselocale(locale_t{}), LC_GLOBAL_LOCALE);
    EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "C");
}

} // namespace
} // namespace glyphwright
