#include "settings/SettingsPath.h"

#include <gtest/gtest.h>

#include <set>

using namespace glyphwright;

TEST(SettingsPath, ChangesTheExtensionToIni) {
    EXPECT_EQ(WithIniExtension("/opt/tools/conv.exe"), "/opt/tools/conv.ini");
    EXPECT_EQ(WithIniExtension("/opt/my.tools/conv"), "/opt/my.tools/conv.ini");
    EXPECT_EQ(WithIniExtension("/opt/tools/CONV.EXE"), "/opt/tools/CONV.ini");
    EXPECT_EQ(WithIniExtension("/usr/bin/glyphwright"), "/usr/bin/glyphwright.ini");
    EXPECT_EQ(WithIniExtension("/opt/tools/conv.tar.gz"), "/opt/tools/conv.tar.ini");
    EXPECT_EQ(WithIniExtension("C:\\my.tools\\conv"), "C:\\my.tools\\conv.ini");
    EXPECT_EQ(WithIniExtension("/opt/a.b:conv"), "/opt/a.b:conv.ini");
    EXPECT_EQ(WithIniExtension("/opt/tools/.hidden"), "/opt/tools/.ini");
    EXPECT_EQ(WithIniExtension("/opt/tools/conv."), "/opt/tools/conv.ini");
}

namespace {

struct FakeFileSystem {
    std::set<std::string> files;
    std::set<std::string> writableFolders;

    SettingsPathProbe Probe() const {
        return {[this](const std::string& path) { return files.count(path) > 0; },
                [this](const std::string& path) { return writableFolders.count(path) > 0; }};
    }
};

SettingsPathInputs Inputs(std::optional<std::string> xdg, std::optional<std::string> home) {
    return {"/opt/tools/conv", std::move(xdg), std::move(home)};
}

} // namespace

TEST(SettingsPath, StaysBesideTheExecutableWhenItsFileExistsOrItsFolderIsWritable) {
    FakeFileSystem fs;
    fs.files = {"/opt/tools/conv.ini"};
    EXPECT_EQ(ChooseSettingsPath(Inputs("/x", "/home/u"), fs.Probe()), "/opt/tools/conv.ini");

    fs.files.clear();
    fs.writableFolders = {"/opt/tools"};
    EXPECT_EQ(ChooseSettingsPath(Inputs("/x", "/home/u"), fs.Probe()), "/opt/tools/conv.ini");
}

TEST(SettingsPath, NeverStartsAFileInASystemProgramFolder) {
    FakeFileSystem fs;
    fs.writableFolders = {"/usr/bin", "/usr/local/bin", "/bin"};
    for (const char* program :
         {"/usr/bin/glyphwright", "/usr/local/bin/glyphwright", "/bin/glyphwright"}) {
        SettingsPathInputs asRoot{program, std::nullopt, "/root"};
        EXPECT_EQ(ChooseSettingsPath(asRoot, fs.Probe()),
                  "/root/.config/glyphwright/glyphwright.ini")
            << program;
    }
    // One put there on purpose is still used.
    fs.files = {"/usr/bin/glyphwright.ini"};
    SettingsPathInputs asRoot{"/usr/bin/glyphwright", std::nullopt, "/root"};
    EXPECT_EQ(ChooseSettingsPath(asRoot, fs.Probe()), "/usr/bin/glyphwright.ini");
}

TEST(SettingsPath, FallsBackToTheUsersConfigurationFolder) {
    FakeFileSystem fs;
    EXPECT_EQ(ChooseSettingsPath(Inputs("/home/u/cfg", "/home/u"), fs.Probe()),
              "/home/u/cfg/glyphwright/glyphwright.ini");
    EXPECT_EQ(ChooseSettingsPath(Inputs(std::nullopt, "/home/u"), fs.Probe()),
              "/home/u/.config/glyphwright/glyphwright.ini");
    // A relative XDG_CONFIG_HOME is not to be used.
    EXPECT_EQ(ChooseSettingsPath(Inputs("cfg", "/home/u"), fs.Probe()),
              "/home/u/.config/glyphwright/glyphwright.ini");
    EXPECT_EQ(ChooseSettingsPath(Inputs(std::nullopt, std::nullopt), fs.Probe()),
              "/opt/tools/conv.ini");

    SettingsPathInputs unknownExecutable{"", std::nullopt, "/home/u"};
    EXPECT_EQ(ChooseSettingsPath(unknownExecutable, fs.Probe()),
              "/home/u/.config/glyphwright/glyphwright.ini");
}

TEST(SettingsPath, KnowsItsOwnExecutable) {
    const auto path = ExecutablePath();
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->substr(path->rfind('/') + 1), "test_SettingsPath");
    EXPECT_FALSE(SettingsFilePath().empty());
}
