// The main window: three numbered steps from top to bottom (1. the extension
// list, 2. the file list filled by drops, 3. the two conversion buttons), a
// thin progress bar and the status line, all docked so that resizing the
// window gives or takes room from the file list only.
#pragma once

#include "files/collect/ExtensionList.h"
#include "files/collect/FileList.h"
#include "ui/AddFilesDialogs.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QListView;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace glyphwright::ui {

class DockPanel;
class ExtensionListModel;
class FileListModel;
class StDropFiles;
class StatusNotice;
class TForm_Copyright;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Builds every control, then runs FormCreate; a failure escaping it is
    // reported in the error box and the window is still built.
    // settingsPath is the settings file that FormCreate loads the extension
    // list from and FormCloseQuery saves it to (the program passes
    // SettingsFilePath()); without one the list lives in memory only, which
    // keeps the window tests apart from any file.
    explicit TForm1(std::optional<std::string> settingsPath = std::nullopt,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    // Moves the window to the centre of the screen and shows it.
    void ShowAtFirstPosition();

    // The about window that "&Copyright" shows and that closes with this
    // window; none until given.
    void SetAboutWindow(TForm_Copyright* about);

    glyphwright::ExtensionList& Extensions() { return extensions_; }
    glyphwright::FileList& Files() { return files_; }
    FileChoosers& Choosers() { return choosers_; }

    // Takes paths into the file list as a drop does (folders walked, files
    // filtered, in the given order; the window painted but taking no input
    // meanwhile), and says in the status line when the filter left files out.
    void TakeIn(const std::vector<std::string>& paths);

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void StDropFiles1DropFiles();
    void AddFiles1Click();
    void AddFolder1Click();
    void Copyright1Click();
    void Donate1Click();
    void VisitWebsite1Click();
    void Beenden1Click();

    // The desktop session is ending: the program will be ended without a
    // close, so the close query runs now and the extension list is kept.
    void SessionEnding();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls, named as everywhere in the program; tests find them by
    // objectName. ClientArea is the window's client area below the menu bar.
    DockPanel* ClientArea;
    DockPanel* Panel1;
    DockPanel* Panel2;
    DockPanel* Panel3;
    DockPanel* Panel4;
    DockPanel* Panel5;
    DockPanel* Panel6;
    DockPanel* Panel7;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QListView* CheckListBox2;
    QListView* ListBox1;
    QCheckBox* CheckBox1;
    QProgressBar* ProgressBar1;
    QStatusBar* StatusBar1;
    QLabel* StatusText;

    QMenuBar* MainMenu1;
    QMenu* Datei1;
    QAction* AddFiles1;
    QAction* AddFolder1;
    QAction* N1;
    QAction* Beenden1;
    QMenu* Infos1;
    QAction* Copyright1;
    QAction* Donate1;
    QAction* VisitWebsite1;

    StDropFiles* StDropFiles1;

    // canClose starts true; the close request is refused when it ends false.
    void FormCloseQuery(bool& canClose);
    void LoadExtensionList();
    void SaveExtensionList();

    void BuildMenus();
    void BuildDockingTree();
    void BuildStep1();
    void BuildStep2();
    void BuildStep3();
    void BuildStatusLine();
    void SetKeyboardOrder();
    void ConnectHandlers();

    glyphwright::ExtensionList extensions_ = glyphwright::ExtensionList::WithDefaults();
    glyphwright::FileList files_;
    ExtensionListModel* extensionModel_ = nullptr;
    FileListModel* fileModel_ = nullptr;
    StatusNotice* statusNotice_ = nullptr;
    FileChoosers choosers_;
    std::optional<std::string> settingsPath_;
    QPointer<TForm_Copyright> aboutWindow_;
};

} // namespace glyphwright::ui
