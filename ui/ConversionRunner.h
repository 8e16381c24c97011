// The two conversion runs behind the buttons of step 3. The core converts the
// listed files one by one; this adds what the window shows around that: the
// locked window and the progress bar of the encode run, and the closing box,
// which names the files that could not be converted.
#pragma once

#include <QString>

class QCheckBox;
class QProgressBar;
class QWidget;

namespace glyphwright {
class FileList;
struct RunSummary;
} // namespace glyphwright

namespace glyphwright::ui {

struct RunControls {
    QWidget* window;         // locked during the encode run
    QProgressBar* progress;  // driven by the encode run only
    const QCheckBox* backup; // read once per file: write a backup first?
};

// Locks the window and shows the bar, converts every entry with EncodeUmlauts
// (one bar step per file, before its save), then shows the closing box while
// the window is still locked. Unlocking and hiding the bar happen however the
// run ends, an escaping failure included.
void EncodeRun(const glyphwright::FileList& files, const RunControls& controls);

// Converts every entry with DecodeEntities; leaves the window and the bar
// alone. Shows a box only when some file failed, after the last one.
void DecodeRun(const glyphwright::FileList& files, const RunControls& controls);

// "Fertig", or when files failed "Fertig", an empty line and the failure report.
QString EncodeRunMessage(const glyphwright::RunSummary& summary);

// The failure report alone; empty when every file was converted.
QString DecodeRunMessage(const glyphwright::RunSummary& summary);

} // namespace glyphwright::ui
