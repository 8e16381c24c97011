#include "bench/SiteTree.h"

#include "bench/Corpus.h"

#include <cmath>
#include <cstdint>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphwright::bench {
namespace {

constexpr int kPartsPerSite = 9;
constexpr int kPagesPerFolder = 50; // in each site folder and each part folder
constexpr std::size_t kSmallest = 1024;
constexpr std::size_t kLargest = 20 * 1024;

// Page sizes spread evenly on a log scale, as on real sites where small pages
// are common: the mean is (20 - 1) / ln 20 = 6.3 KB, about 130 MB in all.
std::size_t PageSize(std::uint64_t serial) {
    // Weyl sequence in [0, 1): spread out and the same everywhere.
    const double fraction = std::fmod(static_cast<double>(serial) * 0.6180339887498949, 1.0);
    const double ratio = static_cast<double>(kLargest) / static_cast<double>(kSmallest);
    return static_cast<std::size_t>(static_cast<double>(kSmallest) * std::pow(ratio, fraction));
}

std::string MakePage(std::uint64_t serial) {
    const std::size_t size = PageSize(serial);
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"windows-1252\">\n"
        "<title>Seite " +
        std::to_string(serial) + "</title>\n</head>\n<body>\n";
    static constexpr std::string_view kEnd = "</body>\n</html>\n";
    const std::size_t frame = page.size() + kEnd.size();
    const std::size_t body = size > frame ? size - frame : 0;
    // The corpus rounds up to whole lines; cut it back to the last full line.
    std::string text = MakeTypicalCorpus(body, LineEnd::Lf, serial + 1);
    const std::size_t lastBreak = text.rfind('\n', body);
    text.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    page += text;
    page += kEnd;
    return page;
}

void WriteFile(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("cannot create " + path);
    }
    const bool written =
        ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    if (::close(fd) != 0 || !written) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace

std::size_t SiteTree::TotalBytes() const {
    std::size_t total = 0;
    for (const SitePage& page : pages) {
        total += page.content.size();
    }
    return total;
}

SiteTree MakeSiteTree(int sites) {
    SiteTree tree;
    std::uint64_t serial = 0;
    auto addPages = [&](const std::string& folder) {
        for (int i = 0; i < kPagesPerFolder; ++i, ++serial) {
            // Both extensions, in the letter cases found on real sites.
            static constexpr const char* kExtensions[] = {".html", ".htm", ".HTML", ".html"};
            std::string name = "seite" + std::to_string(serial) + kExtensions[serial % 4];
            tree.pages.push_back({folder + "/" + name, MakePage(serial)});
        }
    };
    for (int site = 0; site < sites; ++site) {
        const std::string siteFolder = "site" + std::to_string(site);
        tree.folders.push_back(siteFolder);
        addPages(siteFolder);
        for (int part = 0; part < kPartsPerSite; ++part) {
            const std::string partFolder = siteFolder + "/teil" + std::to_string(part);
            tree.folders.push_back(partFolder);
            addPages(partFolder);
        }
    }
    return tree;
}

void WriteSiteTree(const SiteTree& tree, const std::string& root) {
    if (::mkdir(root.c_str(), 0755) != 0) {
        throw std::runtime_error("cannot create " + root);
    }
    for (const std::string& folder : tree.folders) {
        const std::string path = root + "/" + folder;
        if (::mkdir(path.c_str(), 0755) != 0) {
            throw std::runtime_error("cannot create " + path);
        }
    }
    for (const SitePage& page : tree.pages) {
        WriteFile(root + "/" + page.path, page.content);
    }
}

} // namespace glyphwright::bench
