#include "files/collect/ExtensionList.h"
#include "files/collect/FileList.h"
#include "files/collect/IsAcceptedFile.h"
#include "files/collect/ListErrors.h"
#include "files/collect/ScanFolder.h"
#include "tests/files/ReaddirWalk.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <sched.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace glyphwright {
namespace {

using testing::ReaddirNames;
using testing::ReaddirWalk;
using testing::TempFolder;

ExtensionList HtmAndPhp() {
    ExtensionList list = ExtensionList::WithDefaults();
    list.SetMark(*list.Find(".HTM"), true);
    list.SetMark(*list.Find(".PHP"), true);
    return list;
}

std::vector<std::string> Scan(const std::string& folder, const ExtensionList& list) {
    FileList files;
    ScanFolder(folder, list, files);
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < files.Count(); ++i) {
        paths.push_back(files.Path(i));
    }
    return paths;
}

std::vector<std::string> Expected(const std::string& folder, const ExtensionList& list) {
    return ReaddirWalk(folder, [&](const std::string& name) { return IsAcceptedFile(name, list); });
}

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

// Runs body in a child process and returns its exit code and the lines it
// wrote, for walks that need other privileges or another root folder.
struct ChildResult {
    int exitCode = -1;
    std::vector<std::string> lines;
};

ChildResult RunInChild(const std::function<int(std::vector<std::string>&)>& body) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        std::vector<std::string> lines;
        const int code = body(lines);
        for (const std::string& line : lines) {
            const std::string text = line + "\n";
            if (write(pipeFds[1], text.data(), text.size()) < 0) {
                _exit(99);
            }
        }
        _exit(code);
    }
    close(pipeFds[1]);
    std::string output;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeFds[0]);
    ChildResult result;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    std::size_t start = 0;
    for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        result.lines.push_back(output.substr(start, end - start));
    }
    return result;
}

constexpr int SkipCode = 77;

std::size_t OpenFileDescriptors() {
    return ReaddirNames("/proc/self/fd").size();
}

// A chain of folders "d" inside each other, each holding the pages a.htm
// and b.htm; far deeper than a descriptor per level allows and its
// paths far longer than PATH_MAX. Removed again from the bottom up with one
// descriptor at a time.
class DeepChain {
public:
    DeepChain(const std::string& base, int depth) : base_(base), depth_(depth) {
        int fd = open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (int level = 0; fd >= 0; ++level) {
            for (const char* page : kPages) {
                const int file = openat(fd, page, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                close(file);
            }
            const bool deeper = level < depth && mkdirat(fd, "d", 0755) == 0;
            orders_.push_back(NamesIn(fd));
            const int next = deeper ? openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
            close(fd);
            fd = next;
        }
    }
    ~DeepChain() {
        int fd = open(base_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int level = 0;
        for (int next; level < depth_ && (next = openat(fd, "d", O_RDONLY | O_DIRECTORY)) >= 0;
             ++level) {
            close(fd);
            fd = next;
        }
        for (; fd >= 0; --level) {
            for (const char* page : kPages) {
                unlinkat(fd, page, 0);
            }
            const int parent = level > 0 ? openat(fd, "..", O_RDONLY | O_DIRECTORY) : -1;
            close(fd);
            if (parent >= 0) {
                unlinkat(parent, "d", AT_REMOVEDIR);
            }
            fd = parent;
        }
    }
    DeepChain(const DeepChain&) = delete;
    DeepChain& operator=(const DeepChain&) = delete;

    int Levels() const { return static_cast<int>(orders_.size()); }

    // The depth-first walk in readdir order, level by level.
    std::vector<std::string> Expected() const {
        std::vector<std::string> found;
        AppendLevel(0, base_, found);
        return found;
    }

private:
    static constexpr const char* kPages[] = {"a.htm", "b.htm"};

    static std::vector<std::string> NamesIn(int fd) {
        std::vector<std::string> names;
        DIR* dir = fdopendir(dup(fd));
        while (const dirent* entry = dir ? readdir(dir) : nullptr) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        if (dir != nullptr) {
            closedir(dir);
        }
        return names;
    }

    void AppendLevel(std::size_t level, const std::string& path,
                     std::vector<std::string>& found) const {
        for (const std::string& name : orders_[level]) {
            if (name == "d") {
                AppendLevel(level + 1, path + "/d", found);
            } else {
                found.push_back(path + "/" + name);
            }
        }
    }

    std::string base_;
    int depth_;
    std::vector<std::vector<std::string>> orders_;
};

TEST(StripTrailingBackslash, RemovesOneTrailingSeparator) {
    EXPECT_EQ(StripTrailingBackslash("/web/"), "/web");
    EXPECT_EQ(StripTrailingBackslash("/web"), "/web");
    EXPECT_EQ(StripTrailingBackslash("/web//"), "/web/");
    EXPECT_EQ(StripTrailingBackslash("/"), "");
    EXPECT_EQ(StripTrailingBackslash(""), "");
    EXPECT_EQ(StripTrailingBackslash("web\\"), "web\\");
}

TEST(ScanFolder, FollowsReaddirOrderDepthFirst) {
    TempFolder tree;
    // The order example: sub-folder S, then x.htm and z.htm, in whatever
    // order the file system delivers them.
    tree.MakeFolder("D");
    tree.MakeFile("D/x.htm");
    tree.MakeFolder("D/S");
    tree.MakeFile("D/S/y.htm");
    tree.MakeFile("D/z.htm");
    const std::string d = tree.Path() + "/D";
    std::vector<std::string> expected;
    for (const std::string& name : ReaddirNames(d)) {
        expected.push_back(name == "S" ? d + "/S/y.htm" : d + "/" + name);
    }
    EXPECT_EQ(Scan(d, HtmAndPhp()), expected);
}

TEST(ScanFolder, WalksALargerTreeInTheOrderReaddirGives) {
    TempFolder tree;
    const char* const kinds[] = {".htm", ".HTM", ".Php", ".txt", "", ".html", ".htm.bak"};
    for (int folder = 0; folder < 6; ++folder) {
        std::string path = "f" + std::to_string(folder);
        if (folder >= 3) {
            path = "f" + std::to_string(folder - 3) + "/inner" + std::to_string(folder);
        }
        tree.MakeFolder(path);
        for (int file = 0; file < 40; ++file) {
            tree.MakeFile(path + "/n" + std::to_string(file) + kinds[file % 7]);
        }
    }
    for (int file = 0; file < 20; ++file) {
        tree.MakeFile("top" + std::to_string(file) + kinds[file % 7]);
    }
    const ExtensionList list = HtmAndPhp();
    const std::vector<std::string> found = Scan(tree.Path(), list);
    const std::vector<std::string> expected = Expected(tree.Path(), list);
    EXPECT_EQ(found, expected);
    EXPECT_EQ(found.size(), 6U * 18U + 9U);
    // A trailing separator on the dropped folder changes nothing.
    EXPECT_EQ(Scan(tree.Path() + "/", list), expected);
}

TEST(ScanFolder, TakesHiddenEntriesAndWalksFoldersWhateverTheirNames) {
    TempFolder tree;
    tree.MakeFile(".hidden.htm");
    tree.MakeFolder(".git");
    tree.MakeFile(".git/a.htm");
    tree.MakeFolder("site.htm");
    tree.MakeFile("site.htm/inner.htm");
    tree.MakeFile("site.htm/README");
    tree.MakeFolder("empty");
    tree.MakeFolder("nothing");
    tree.MakeFile("nothing/notes.txt");
    const std::string root = tree.Path();
    const std::vector<std::string> found = Scan(root, HtmAndPhp());
    EXPECT_EQ(found, Expected(root, HtmAndPhp()));
    std::vector<std::string> sorted = found;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{root + "/.git/a.htm", root + "/.hidden.htm",
                                                root + "/site.htm/inner.htm"}));
    EXPECT_TRUE(Scan(root + "/empty", HtmAndPhp()).empty());
    EXPECT_TRUE(Scan(root + "/nothing", HtmAndPhp()).empty());
}

TEST(ScanFolder, AFolderThatCannotBeOpenedGivesNothing) {
    TempFolder tree;
    tree.MakeFile("file.htm");
    EXPECT_TRUE(Scan(tree.Path() + "/vanished", HtmAndPhp()).empty());
    EXPECT_TRUE(Scan(tree.Path() + "/file.htm", HtmAndPhp()).empty());
    EXPECT_TRUE(Scan("", HtmAndPhp()).empty());
}

TEST(ScanFolder, SkipsAnUnreadableFolderSilently) {
    TempFolder tree;
    tree.MakeFile("a.htm");
    tree.MakeFolder("locked");
    tree.MakeFile("locked/secret.htm");
    tree.MakeFolder("open");
    tree.MakeFile("open/b.htm");
    ASSERT_EQ(chmod((tree.Path() + "/locked").c_str(), 0), 0);
    // Root reads any folder, so as root the walk runs in a child that has
    // given up its privileges for the "nobody" account.
    ASSERT_EQ(chmod(tree.Path().c_str(), 0755), 0);
    const std::string root = tree.Path();
    const ChildResult result = RunInChild([&](std::vector<std::string>& lines) {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
            return SkipCode;
        }
        if (access(root.c_str(), R_OK | X_OK) != 0) {
            return SkipCode; // the temp folder's parents are closed to nobody
        }
        lines = Scan(root, HtmAndPhp());
        return 0;
    });
    if (result.exitCode == SkipCode) {
        GTEST_SKIP() << "cannot walk as an unprivileged user here";
    }
    ASSERT_EQ(result.exitCode, 0);
    std::vector<std::string> sorted = result.lines;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{root + "/a.htm", root + "/open/b.htm"}));
}

TEST(ScanFolder, ADroppedRootGivesSingleSeparators) {
    TempFolder tree;
    tree.MakeFile("a.htm");
    tree.MakeFolder("sub");
    tree.MakeFile("sub/b.htm");
    const std::string root = tree.Path();
    // The walk of "/" runs in a child whose root folder is the temp tree.
    const ChildResult result = RunInChild([&](std::vector<std::string>& lines) {
        if (chroot(root.c_str()) != 0 &&
            (unshare(CLONE_NEWUSER) != 0 || chroot(root.c_str()) != 0)) {
            return SkipCode;
        }
        if (chdir("/") != 0) {
            return SkipCode;
        }
        lines = Scan("/", HtmAndPhp());
        return 0;
    });
    if (result.exitCode == SkipCode) {
        GTEST_SKIP() << "cannot change the root folder here";
    }
    ASSERT_EQ(result.exitCode, 0);
    std::vector<std::string> expected;
    for (const std::string& name : ReaddirNames(root)) {
        expected.push_back(name == "sub" ? "/sub/b.htm" : "/" + name);
    }
    EXPECT_EQ(result.lines, expected);
}

TEST(ScanFolder, ALinkBackIntoTheTreeEndsTheWalk) {
    TempFolder tree;
    TempFolder outside;
    outside.MakeFile("y.htm");
    tree.MakeFolder("a");
    tree.MakeFile("a/x.htm");
    tree.MakeLink("a/up", "..");
    tree.MakeLink("a/self", ".");
    tree.MakeLink("b", "a");
    tree.MakeLink("ext", outside.Path());
    tree.MakeLink("link.htm", "a/x.htm");
    tree.MakeLink("dead.htm", "nowhere");
    const std::string root = tree.Path();
    const std::vector<std::string> found = Scan(root, HtmAndPhp());

    // Each real folder is entered once: a's file comes through "a" or "b",
    // whichever the walk meets first.
    const bool viaA = Contains(found, root + "/a/x.htm");
    const bool viaB = Contains(found, root + "/b/x.htm");
    EXPECT_NE(viaA, viaB);
    // A link to a folder outside is walked like a folder; links to files and
    // dangling links are judged by their names.
    EXPECT_TRUE(Contains(found, root + "/ext/y.htm"));
    EXPECT_TRUE(Contains(found, root + "/link.htm"));
    EXPECT_TRUE(Contains(found, root + "/dead.htm"));
    EXPECT_EQ(found.size(), 4U);
}

// Another user's link to a folder is walked only when the folder is theirs
// too; the dropped folder itself likewise.
TEST(ScanFolder, FollowsAFolderLinkOfAnotherUserOnlyToTheirOwn) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to give links to another user";
    }
    TempFolder tree;
    TempFolder outside;
    outside.MakeFile("root.htm");
    outside.MakeFolder("user");
    outside.MakeFile("user/theirs.htm");
    ASSERT_EQ(chown((outside.Path() + "/user").c_str(), 1000, 1000), 0);
    tree.MakeLink("foreign", outside.Path());
    tree.MakeLink("shared", outside.Path() + "/user");
    tree.MakeLink("dropped", outside.Path());
    for (const char* link : {"foreign", "shared", "dropped"}) {
        ASSERT_EQ(lchown((tree.Path() + "/" + link).c_str(), 1000, 1000), 0);
    }
    const std::vector<std::string> found = Scan(tree.Path(), HtmAndPhp());
    EXPECT_EQ(found, (std::vector<std::string>{tree.Path() + "/shared/theirs.htm"}));
    EXPECT_TRUE(Scan(tree.Path() + "/dropped", HtmAndPhp()).empty());
}

TEST(ScanFolder, KeepsPathsLongerThanThePlatformLimitWhole) {
    TempFolder tree;
    const std::string segment(200, 'd');
    std::string relative;
    int fd = open(tree.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    for (int depth = 0; depth < 25; ++depth) { // 25 * 201 characters: past PATH_MAX
        ASSERT_EQ(mkdirat(fd, segment.c_str(), 0755), 0);
        const int next = openat(fd, segment.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        ASSERT_GE(next, 0);
        fd = next;
        relative += "/" + segment;
    }
    const int file = openat(fd, "deep.htm", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(file, 0);
    close(file);
    close(fd);
    const std::string expected = tree.Path() + relative + "/deep.htm";
    ASSERT_GT(expected.size(), static_cast<std::size_t>(PATH_MAX));
    EXPECT_EQ(Scan(tree.Path(), HtmAndPhp()), std::vector<std::string>{expected});
}

TEST(ScanFolder, WalksATreeDeeperThanTheDescriptorLimitWhole) {
    TempFolder tree;
    const DeepChain chain(tree.Path(), 3000);
    ASSERT_EQ(chain.Levels(), 3001);
    const std::vector<std::string> expected = chain.Expected();
    ASSERT_GT(expected.back().size(), static_cast<std::size_t>(PATH_MAX));
    // A limit far below the depth, and one that leaves the walk two descriptors.
    const std::size_t openNow = OpenFileDescriptors();
    for (const rlim_t limit : {rlim_t{64}, rlim_t{openNow + 3}}) {
        const ChildResult result = RunInChild([&](std::vector<std::string>& lines) {
            const rlimit descriptors{limit, limit};
            if (setrlimit(RLIMIT_NOFILE, &descriptors) != 0) {
                return SkipCode;
            }
            lines = Scan(tree.Path(), HtmAndPhp());
            return 0;
        });
        ASSERT_EQ(result.exitCode, 0) << "limit " << limit;
        EXPECT_EQ(result.lines.size(), expected.size()) << "limit " << limit;
        EXPECT_TRUE(result.lines == expected) << "limit " << limit;
    }
}

TEST(ScanFolder, ComesBackUpThroughALinkDeepInTheTree) {
    // Deep enough that the folders above the link are closed on the way
    // down; the link's target has another parent, so they are opened again
    // by their names.
    // Pages made before and after each sub-folder, its name another at each
    // level, so that in any readdir order some are read only after the walk
    // has come back up.
    TempFolder tree;
    TempFolder outside;
    std::string inside = ".";
    std::string beyond = ".";
    for (int level = 0; level < 20; ++level) {
        const std::string folder = "/d" + std::to_string(level);
        tree.MakeFile(inside + "/a.htm");
        tree.MakeFolder(inside + folder);
        tree.MakeFile(inside + "/z.htm");
        inside += folder;
        beyond += "/e";
        outside.MakeFolder(beyond);
        outside.MakeFile(beyond + "/b.htm");
    }
    tree.MakeFile(inside + "/a.htm");
    tree.MakeLink(inside + "/link", outside.Path());
    tree.MakeFile(inside + "/z.htm");
    const ExtensionList list = HtmAndPhp();
    const std::vector<std::string> found = Scan(tree.Path(), list);
    EXPECT_EQ(found, Expected(tree.Path(), list));
    EXPECT_EQ(found.size(), 62U);
}

TEST(ScanFolder, AFullListEndsTheWalkKeepingTheEntriesBefore) {
    TempFolder tree;
    tree.MakeFolder("s");
    for (int i = 0; i < 5; ++i) {
        tree.MakeFile("s/f" + std::to_string(i) + ".htm");
        tree.MakeFile("g" + std::to_string(i) + ".htm");
    }
    const ExtensionList list = HtmAndPhp();
    const std::vector<std::string> expected = Expected(tree.Path(), list);
    const std::size_t descriptorsBefore = OpenFileDescriptors();
    FileList files(4);
    EXPECT_THROW(ScanFolder(tree.Path(), list, files), ListFullError);
    ASSERT_EQ(files.Count(), 4U);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(files.Path(i), expected[i]);
    }
    EXPECT_EQ(OpenFileDescriptors(), descriptorsBefore); // every folder closed again
}

} // namespace
} // namespace glyphwright
