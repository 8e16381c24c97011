// The window's encode run against glyphwright-cli's over the same site in
// memory: 100,000 pages (650 MB) in /dev/shm, written afresh before each run,
// the two taking turns. The window runs here in-process on Qt's offscreen
// platform, from the drop of the site's folder to its closing box, exactly as
// its button starts it; the tool runs with its default workers. A plain
// program: prints each round and the medians.
#include "bench/ChildProcess.h"
#include "bench/ProgramMain.h"
#include "bench/SiteTree.h"
#include "files/collect/DropIntake.h"
#include "files/collect/ExtensionList.h"
#include "files/collect/FileList.h"
#include "files/runs/ListRun.h"
#include "ui/Application.h"
#include "ui/ConversionRunner.h"

#include <QApplication>
#include <QCheckBox>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace glyphwright::bench {
namespace {

constexpr int kSites = 200; // 500 pages each
constexpr int kRounds = 3;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The window's run: the folder taken in as a drop, then the encode button's
// run without backups; the closing box is closed as soon as it shows.
double WindowSeconds(const std::string& root) {
    QWidget window;
    QProgressBar bar(&window);
    QCheckBox backup(&window);
    backup.setChecked(false);
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
    closer.start(5);
    ExtensionList extensions;
    for (const char* extension : {".HTM", ".HTML"}) {
        extensions.SetMark(extensions.Add(extension), true);
    }
    const auto start = std::chrono::steady_clock::now();
    FileList files;
    TakeDroppedPaths({root}, extensions, files);
    ui::EncodeRun(files, {&window, &bar, &backup});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double ToolSeconds(const std::string& root) {
    const ChildResult result = RunChild(
        {GW_CLI_PATH, "encode", "--eol", "crlf", "--no-backup", "--ext", "htm,html", root});
    if (result.exitStatus != 0) {
        throw std::runtime_error("glyphwright-cli failed: " + result.standardError);
    }
    return result.seconds;
}

int Run() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "bench_window_run";
    char* argv[] = {name, nullptr};
    ui::Application application(argc, argv);
    const SiteTree site = MakeSiteTree(kSites);
    const std::filesystem::path root =
        std::filesystem::path("/dev/shm") / ("glyphwright-window-run-" + std::to_string(getpid()));
    std::printf("%zu pages, %.0f MB in /dev/shm, %zu workers by default\n", site.pages.size(),
                static_cast<double>(site.TotalBytes()) / 1e6, DefaultWorkers());
    std::vector<double> window;
    std::vector<double> tool;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        WriteSiteTree(site, root);
        window.push_back(WindowSeconds(root));
        std::filesystem::remove_all(root);
        WriteSiteTree(site, root);
        tool.push_back(ToolSeconds(root));
        std::filesystem::remove_all(root);
        ratios.push_back(window.back() / tool.back());
        std::printf("round %d: window %.2f s, glyphwright-cli %.2f s, ratio %.2f\n", round + 1,
                    window.back(), tool.back(), ratios.back());
    }
    std::printf("median: window %.2f s, glyphwright-cli %.2f s; median ratio %.2f\n",
                Median(window), Median(tool), Median(ratios));
    return 0;
}

} // namespace
} // namespace glyphwright::bench

int main() {
    return glyphwright::bench::RunProgram("bench_window_run", glyphwright::bench::Run);
}
