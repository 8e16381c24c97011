// A generated web site for the whole-run benchmark: 20,000 HTML pages of 1 to
// 20 KB in Windows-1252 with LF line ends, about 130 MB in 400 folders. The
// same bytes on every machine and run; held in memory and written out afresh
// before each timed run.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace glyphwright::bench {

struct SitePage {
    std::string path; // relative to the tree's root, e.g. "site07/teil3/seite00123.html"
    std::string content;
};

struct SiteTree {
    std::vector<std::string> folders; // relative, parents before children
    std::vector<SitePage> pages;      // in the order they are written
    std::size_t TotalBytes() const;
};

// sites folders of 500 pages each; the default makes the 20,000 pages above.
SiteTree MakeSiteTree(int sites = 40);

// Creates root (which must not exist) and writes every folder and page below it.
void WriteSiteTree(const SiteTree& tree, const std::string& root);

} // namespace glyphwright::bench
