#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "files/ConvertListedFile.h"
#include "files/ConvertedContent.h"
#include "files/FileErrors.h"
#include "files/TextFile.h"
#include "tests/files/FileTesting.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <new>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace glyphwright {
namespace {

using testing::NamesIn;
using testing::ReadBytes;
using testing::WriteBytes;

using Names = std::vector<std::string>;

// A conversion whose effect is easy to see: every 'a' becomes "<A>".
std::string Mark(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += c == 'a' ? std::string("<A>") : std::string(1, c);
    }
    return out;
}

class ConvertListedFileTest : public ::testing::Test {
protected:
    std::string At(const std::string& name) const { return folder.Path() + "/" + name; }

    // Converts entry 0 of a list holding path, counting the hook calls.
    FileOutcome Convert(const std::string& path, const TextConversion& convert,
                        bool backup = true) {
        FileList list;
        list.Append(path);
        ConvertHooks hooks;
        hooks.backupWanted = [this, backup] {
            ++backupAsked;
            return backup;
        };
        hooks.progressStep = [this] { ++progressSteps; };
        return ConvertListedFile(list, 0, convert, hooks);
    }

    glyphwright::testing::TempFolder folder;
    int backupAsked = 0;
    int progressSteps = 0;
};

TEST_F(ConvertListedFileTest, EncodeWritesBackupAndConvertedFile) {
    WriteBytes(At("gruss.htm"), "Gr\xFC\xDF"
                                "e\n<b>&</b>");
    const FileOutcome outcome = Convert(At("gruss.htm"), EncodeUmlauts);
    EXPECT_TRUE(outcome.converted);
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(backupAsked, 1);
    EXPECT_EQ(progressSteps, 1);
    EXPECT_EQ(ReadBytes(At("gruss.htm")), "Gr&uuml;&szlig;e\r\n<b>&</b>\r\n");
    // The backup is the loaded lines as this program writes them: CR LF ends.
    EXPECT_EQ(ReadBytes(At("gruss.htm._backup_")), "Gr\xFC\xDF"
                                                   "e\r\n<b>&</b>\r\n");
}

// What the conversion returns is split into lines and joined again, as the
// line model would: line ends it makes become CR LF, a NUL ends the text.
TEST_F(ConvertListedFileTest, ConvertedTextIsSplitAndJoinedAgain) {
    WriteBytes(At("a.htm"), "xax\nb");
    const auto newLine = [](std::string_view text) {
        std::string out(text);
        out.replace(out.find('a'), 1, "1\n2\r3");
        return out;
    };
    ASSERT_TRUE(Convert(At("a.htm"), newLine, false).converted);
    EXPECT_EQ(ReadBytes(At("a.htm")), "x1\r\n2\r\n3x\r\nb\r\n");

    WriteBytes(At("b.htm"), "xax\nb");
    const auto nul = [](std::string_view text) {
        std::string out(text);
        out[out.find('a')] = '\0';
        return out;
    };
    ASSERT_TRUE(Convert(At("b.htm"), nul, false).converted);
    EXPECT_EQ(ReadBytes(At("b.htm")), "x\r\n");
}

TEST_F(ConvertListedFileTest, DecodeAndNoBackup) {
    WriteBytes(At("d.htm"), "&lt;b&gt;Gr&uuml;&szlig;e\r\n");
    FileList list;
    list.Append(At("d.htm"));
    const FileOutcome outcome = ConvertListedFile(list, 0, DecodeEntities, ConvertHooks{});
    EXPECT_TRUE(outcome.converted);
    EXPECT_EQ(ReadBytes(At("d.htm")), "<b>Gr\xFC\xDF"
                                      "e\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), Names{"d.htm"}) << "no hook: no backup";

    EXPECT_TRUE(Convert(At("d.htm"), Mark, false).converted);
    EXPECT_EQ(backupAsked, 1);
    EXPECT_EQ(NamesIn(folder.Path()), Names{"d.htm"});
}

TEST_F(ConvertListedFileTest, LoadFailsNothingWritten) {
    // Step 3: a missing (vanished) file, a file with NUL, a FIFO.
    WriteBytes(At("nul.htm"), std::string("a\0a\n", 4));
    ASSERT_EQ(mkfifo(At("pipe.htm").c_str(), 0644), 0);
    const FileOutcome missing = Convert(At("gone.htm"), Mark);
    EXPECT_FALSE(missing.converted);
    EXPECT_EQ(missing.message, "Datei " + At("gone.htm") + " kann nicht geöffnet werden");
    const FileOutcome nul = Convert(At("nul.htm"), Mark);
    EXPECT_FALSE(nul.converted);
    EXPECT_EQ(nul.message,
              "Datei " + At("nul.htm") + " enthält ein NUL-Byte und wird nicht umgewandelt");
    EXPECT_FALSE(Convert(At("pipe.htm"), Mark).converted);
    EXPECT_EQ(backupAsked, 0);
    EXPECT_EQ(progressSteps, 0);
    EXPECT_EQ(ReadBytes(At("nul.htm")), std::string("a\0a\n", 4));
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"nul.htm", "pipe.htm"}));
}

TEST_F(ConvertListedFileTest, BackupFailsFileUntouched) {
    // Step 4: the backup path is taken by a folder.
    WriteBytes(At("a.htm"), "a\n");
    folder.MakeFolder("a.htm._backup_");
    const FileOutcome outcome = Convert(At("a.htm"), Mark);
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.message, "Datei " + At("a.htm") + "._backup_ kann nicht erstellt werden");
    EXPECT_EQ(ReadBytes(At("a.htm")), "a\n");
    EXPECT_EQ(progressSteps, 0);
}

TEST_F(ConvertListedFileTest, ConversionFailsBackupStaysFileUntouched) {
    // Steps 5 to 7: memory runs out while converting.
    WriteBytes(At("a.htm"), "a\n");
    const FileOutcome outcome =
        Convert(At("a.htm"), [](std::string_view) -> std::string { throw std::bad_alloc(); });
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.message, "Zu wenig Arbeitsspeicher");
    EXPECT_EQ(ReadBytes(At("a.htm")), "a\n");
    EXPECT_EQ(ReadBytes(At("a.htm._backup_")), "a\r\n");
    EXPECT_EQ(progressSteps, 0);
}

TEST_F(ConvertListedFileTest, ReadOnlyFileBackedUpNotConvertedStepCounted) {
    // Step 9, create: the bar still advances for the file.
    WriteBytes(At("ro.htm"), "a\n", 0444);
    const FileOutcome outcome = Convert(At("ro.htm"), Mark);
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.message, "Datei " + At("ro.htm") + " kann nicht erstellt werden");
    EXPECT_EQ(ReadBytes(At("ro.htm")), "a\n");
    EXPECT_EQ(ReadBytes(At("ro.htm._backup_")), "a\r\n");
    EXPECT_EQ(progressSteps, 1);
}

TEST_F(ConvertListedFileTest, WriteFailsOldFileKeptStepCounted) {
    // Step 9, write: the backup fits under the size limit, the converted text does not.
    const std::string old = std::string(1000, 'a') + "\r\n";
    WriteBytes(At("big.htm"), old);
    const int code = testing::RunWithFileSizeLimit(2048, [&] {
        const FileOutcome outcome = Convert(At("big.htm"), Mark);
        if (outcome.converted || outcome.message != "Stream-Write-Fehler") {
            return 1;
        }
        return progressSteps == 1 ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(At("big.htm")), old);
    EXPECT_EQ(ReadBytes(At("big.htm._backup_")), old);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"big.htm", "big.htm._backup_"}));
}

TEST_F(ConvertListedFileTest, ALargeFileConvertsInPiecesAsItWouldWhole) {
    // Several pieces of text dense with entities, '&' and characters in both
    // encodings, for each of the four routines.
    const char* const fragments[] = {"&auml;", "&amp;", "&frac12;", "&",  ";",  "&lt",     "x",
                                     "\xE4",   "\xC3",  "\xC3\xA4", "\n", "\r", "\xC2\xA0"};
    std::mt19937 random(20261212);
    std::string text;
    while (text.size() < 3 * kContentPiece) {
        text += fragments[random() % std::size(fragments)];
    }
    const std::string joined = JoinLines(SplitLines(text));
    for (const TextConversion& convert :
         {TextConversion(EncodeUmlauts), TextConversion(DecodeEntities),
          TextConversion(EncodeUmlautsUtf8), TextConversion(DecodeEntitiesUtf8)}) {
        WriteBytes(At("large.htm"), text);
        ASSERT_TRUE(Convert(At("large.htm"), convert, false).converted);
        EXPECT_TRUE(ReadBytes(At("large.htm")) == convert(joined));
    }
    EXPECT_EQ(progressSteps, 4);
}

TEST_F(ConvertListedFileTest, PathListedTwiceIsConvertedTwice) {
    WriteBytes(At("twice.htm"), "a");
    FileList list;
    list.Append(At("twice.htm"));
    list.Append(At("twice.htm"));
    ConvertHooks hooks;
    hooks.backupWanted = [] { return true; };
    const TextConversion prefix = [](std::string_view text) { return "x" + std::string(text); };
    for (std::size_t entry = 0; entry < list.Count(); ++entry) {
        EXPECT_TRUE(ConvertListedFile(list, entry, prefix, hooks).converted);
    }
    EXPECT_EQ(ReadBytes(At("twice.htm")), "xxa\r\n");
    // The second backup holds the first pass's output.
    EXPECT_EQ(ReadBytes(At("twice.htm._backup_")), "xa\r\n");
}

TEST_F(ConvertListedFileTest, EntryBeyondTheListIsAFailedOutcome) {
    FileList list;
    const FileOutcome outcome = ConvertListedFile(list, 3, Mark, ConvertHooks{});
    EXPECT_FALSE(outcome.converted);
    EXPECT_FALSE(outcome.message.empty());
}

} // namespace
} // namespace glyphwright
