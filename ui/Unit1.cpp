#include "ui/Unit1.h"

#include "files/collect/DropIntake.h"
#include "files/collect/IsAcceptedFile.h"
#include "settings/ExtensionSettings.h"
#include "ui/AccessibleNames.h"
#include "ui/BusyScope.h"
#include "ui/CheckListView.h"
#include "ui/ConversionRunner.h"
#include "ui/Dialogs.h"
#include "ui/DockPanel.h"
#include "ui/ErrorReport.h"
#include "ui/ExtensionListModel.h"
#include "ui/FileListModel.h"
#include "ui/Fonts.h"
#include "ui/IntakeStatus.h"
#include "ui/LineHeightDelegate.h"
#include "ui/ProgressBar.h"
#include "ui/PushButton.h"
#include "ui/SelectedRows.h"
#include "ui/StDropFiles.h"
#include "ui/StepNumberLabel.h"
#include "ui/Unit_Copyright.h"
#include "ui/WebLinks.h"
#include "ui/WindowPlacement.h"
#include "wording/FailureWording.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <string_view>
#include <utility>

namespace glyphwright::ui {

namespace {

constexpr int kClientWidth = 452;
constexpr int kClientHeight = 495;

void Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
}

QLabel* SetUpLabel(QLabel* label, const char* name, const QFont& font) {
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font);
    return label;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent, const QFont& font) {
    return SetUpLabel(new QLabel(text, parent), name, font);
}

// A one-line static text takes the width and height of its text.
QLabel* PlaceOnOneLine(QLabel* label, int left, int top) {
    const QFontMetrics metrics(label->font());
    label->setGeometry(Scaled(left), Scaled(top), metrics.horizontalAdvance(label->text()),
                       metrics.height());
    return label;
}

QLabel* MakeOneLineLabel(const char* name, const QString& text, QWidget* parent, int left, int top,
                         const QFont& font) {
    return PlaceOnOneLine(MakeLabel(name, text, parent, font), left, top);
}

// A wrapping static text keeps its width and takes the height of its lines.
QLabel* MakeWrappingLabel(const char* name, const QString& text, QWidget* parent, int left, int top,
                          int width) {
    QLabel* label = MakeLabel(name, text, parent, BoldFont());
    label->setWordWrap(true);
    const int scaledWidth = Scaled(width);
    label->setGeometry(Scaled(left), Scaled(top), scaledWidth, label->heightForWidth(scaledWidth));
    return label;
}

QLabel* MakeStepNumber(const char* name, const QString& text, QWidget* parent, int left, int top) {
    return PlaceOnOneLine(SetUpLabel(new StepNumberLabel(text, parent), name, StepNumberFont()),
                          left, top);
}

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent, int left, int top,
                        int width, int height) {
    auto* button = new PushButton(text, parent);
    button->setObjectName(QString::fromUtf8(name));
    Place(button, left, top, width, height);
    return button;
}

// The settings file's failures are told in the information box.
void ShowSettingsMessage(std::optional<std::string_view> message) {
    if (message) {
        ShowInformationBox(QString::fromUtf8(message->data(), qsizetype(message->size())));
    }
}

template <class View = QListView>
View* MakeListView(const char* name, QWidget* parent, QAbstractItemView::SelectionMode selection) {
    auto* view = new View(parent);
    view->setObjectName(QString::fromUtf8(name));
    view->setSelectionMode(selection);
    // Every row is one line of the window font high; uniform rows keep a
    // list of 100,000 entries quick to lay out.
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

} // namespace

TForm1::TForm1(std::optional<std::string> settingsPath, QWidget* parent)
    : QMainWindow(parent), settingsPath_(std::move(settingsPath)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));

    BuildMenus();
    BuildDockingTree();
    BuildStep1();
    BuildStep2();
    BuildStep3();
    BuildStatusLine();
    StDropFiles1 = new StDropFiles(QStringLiteral("StDropFiles1"), this);
    SetKeyboardOrder();
    ConnectHandlers();
    NameForAssistiveTools(*this);

    // The client area is the window less its menu bar, whose height the
    // window's layout takes from heightForWidth (one pixel more than its
    // size hint).
    const int width = Scaled(kClientWidth);
    resize(width, Scaled(kClientHeight) + MainMenu1->heightForWidth(width));

    connect(qApp, &QGuiApplication::commitDataRequest, this, &TForm1::SessionEnding);

    RunReportingErrors([this] { FormCreate(); });
}

void TForm1::SessionEnding() {
    RunReportingErrors([this] {
        bool canClose = true;
        FormCloseQuery(canClose);
    });
}

// The adapters watch the two lists, which as members end before the
// window's child objects do: the adapters go first.
TForm1::~TForm1() {
    delete extensionModel_;
    delete fileModel_;
}

void TForm1::BuildMenus() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);

    Datei1 = MainMenu1->addMenu(QCoreApplication::translate("TForm1", "&Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    AddFiles1 = Datei1->addAction(QCoreApplication::translate("TForm1", "Dateien &hinzufügen…"));
    AddFiles1->setObjectName(QStringLiteral("AddFiles1"));
    AddFiles1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    AddFolder1 = Datei1->addAction(QCoreApplication::translate("TForm1", "&Ordner hinzufügen…"));
    AddFolder1->setObjectName(QStringLiteral("AddFolder1"));
    AddFolder1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    N1 = Datei1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    Beenden1 = Datei1->addAction(QCoreApplication::translate("TForm1", "&Beenden"));
    Beenden1->setObjectName(QStringLiteral("Beenden1"));

    Infos1 = MainMenu1->addMenu(QCoreApplication::translate("TForm1", "&Infos"));
    Infos1->setObjectName(QStringLiteral("Infos1"));
    Copyright1 = Infos1->addAction(QCoreApplication::translate("TForm1", "&Copyright"));
    Copyright1->setObjectName(QStringLiteral("Copyright1"));
    Donate1 = Infos1->addAction(QCoreApplication::translate("TForm1", "&Spenden"));
    Donate1->setObjectName(QStringLiteral("Donate1"));
    VisitWebsite1 = Infos1->addAction(QCoreApplication::translate("TForm1", "&Webseite besuchen"));
    VisitWebsite1->setObjectName(QStringLiteral("VisitWebsite1"));
}

void TForm1::BuildDockingTree() {
    ClientArea = new DockPanel(QStringLiteral("ClientArea"), this);
    setCentralWidget(ClientArea);

    StatusBar1 = new QStatusBar(ClientArea);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    ProgressBar1 = new ProgressBar(ClientArea);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    Panel1 = new DockPanel(QStringLiteral("Panel1"), ClientArea);
    Panel2 = new DockPanel(QStringLiteral("Panel2"), ClientArea);
    Panel3 = new DockPanel(QStringLiteral("Panel3"), ClientArea);
    // From the bottom up: the status line, the progress bar, step 3.
    ClientArea->Dock(StatusBar1, DockSide::Bottom, Scaled(19));
    ClientArea->Dock(ProgressBar1, DockSide::Bottom, Scaled(5));
    ClientArea->Dock(Panel2, DockSide::Bottom, Scaled(137));
    ClientArea->Dock(Panel1, DockSide::Top, Scaled(193));
    ClientArea->Dock(Panel3, DockSide::Fill);

    Panel4 = new DockPanel(QStringLiteral("Panel4"), Panel3);
    Panel5 = new DockPanel(QStringLiteral("Panel5"), Panel3);
    Panel6 = new DockPanel(QStringLiteral("Panel6"), Panel3);
    Panel3->Dock(Panel4, DockSide::Top, Scaled(41));
    // An empty margin that lines the file list up with the other steps.
    Panel3->Dock(Panel5, DockSide::Left, Scaled(48));
    Panel3->Dock(Panel6, DockSide::Fill);

    Panel7 = new DockPanel(QStringLiteral("Panel7"), Panel6);
    ListBox1 = MakeListView("ListBox1", Panel6, QAbstractItemView::ExtendedSelection);
    Panel6->Dock(Panel7, DockSide::Top, Scaled(24));
    Panel6->Dock(ListBox1, DockSide::Fill);

    ProgressBar1->setRange(0, 100);
    // A new bar stands at -1; the window opens with it at 0.
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    // At 5 pixels the style's own frame and margins leave no room for the
    // fill, so the bar would never show progress: a one-pixel frame instead.
    ProgressBar1->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid palette(dark); background: palette(base); }"
        "QProgressBar::chunk { background: palette(highlight); }"));
}

void TForm1::BuildStep1() {
    Label2 = MakeStepNumber("Label2", QStringLiteral("1."), Panel1, 8, 8);
    Label5 = MakeWrappingLabel(
        "Label5",
        QCoreApplication::translate(
            "TForm1", "Die Dateien werden in Schritt 2. per Drag und Drop in die Liste eingefügt. "
                      "Hier können Sie eingrenzen welche Dateien aufgenommen werden sollen."),
        Panel1, 48, 7, 397);
    Label1 = MakeOneLineLabel(
        "Label1", QCoreApplication::translate("TForm1", "Dateien mit folgender Endung annehmen:"),
        Panel1, 48, 56, WindowFont());

    auto* checkList =
        MakeListView<CheckListView>("CheckListBox2", Panel1, QAbstractItemView::SingleSelection);
    CheckListBox2 = checkList;
    Place(CheckListBox2, 48, 88, 401, 81);
    extensionModel_ = new ExtensionListModel(extensions_, this);
    CheckListBox2->setModel(extensionModel_);
    // The mark toggle: the list tells which entry, the core list turns its
    // mark over and the model redraws it.
    connect(checkList, &CheckListView::ToggleMark, this,
            [this](int row) { extensions_.ToggleMark(static_cast<std::size_t>(row)); });

    // Made after the list so that their lower edges lie on its top border.
    Button5 = MakeButton("Button5", QCoreApplication::translate("TForm1", "- Liste löschen"),
                         Panel1, 48, 72, 89, 17);
    Button6 = MakeButton("Button6", QCoreApplication::translate("TForm1", "- Eintrag löschen"),
                         Panel1, 136, 72, 89, 17);
    Button7 = MakeButton("Button7", QCoreApplication::translate("TForm1", "+ Eintrag hinzufügen"),
                         Panel1, 232, 72, 105, 17);
}

void TForm1::BuildStep2() {
    Label3 = MakeStepNumber("Label3", QStringLiteral("2."), Panel4, 8, 3);
    Label6 = MakeWrappingLabel(
        "Label6",
        QCoreApplication::translate("TForm1", "Jetzt die Dateien per Drag & Drop aus dem Explorer "
                                              "ziehen und über der Liste \"fallen lassen\""),
        Panel4, 48, 8, 392);

    Button3 = MakeButton("Button3", QCoreApplication::translate("TForm1", "- Liste löschen"),
                         Panel7, 0, 7, 89, 17);
    Button4 = MakeButton("Button4", QCoreApplication::translate("TForm1", "- Eintrag löschen"),
                         Panel7, 88, 7, 89, 17);

    fileModel_ = new FileListModel(files_, this);
    ListBox1->setModel(fileModel_);
    ListBox1->setItemDelegate(new LineHeightDelegate(ListBox1));
}

void TForm1::BuildStep3() {
    Label4 = MakeStepNumber("Label4", QStringLiteral("3."), Panel2, 8, 8);
    Label7 = MakeOneLineLabel(
        "Label7", QCoreApplication::translate("TForm1", "Umwandeln mit folgenden Optionen:"),
        Panel2, 48, 21, BoldFont());

    CheckBox1 = new QCheckBox(
        QCoreApplication::translate("TForm1", "BackUp Dateien erstellen (*._backup_)"), Panel2);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Place(CheckBox1, 48, 48, 401, 17);
    CheckBox1->setChecked(true);

    Button1 = MakeButton("Button1", QCoreApplication::translate("TForm1", "Umlaute nach <HTML>"),
                         Panel2, 48, 72, 401, 25);
    Button2 = MakeButton("Button2", QCoreApplication::translate("TForm1", "<HTML> nach Umlaute"),
                         Panel2, 48, 104, 401, 25);
}

void TForm1::BuildStatusLine() {
    // One panel with a lowered bevel (the status bar draws it) across the
    // whole bar, and the size grip at its right end.
    StatusText = new QLabel(QCoreApplication::translate(
        "TForm1", "Glyphwright – Umlaute und HTML-Entities, freie Software (MIT-Lizenz)"));
    StatusText->setObjectName(QStringLiteral("StatusText"));
    StatusText->setTextFormat(Qt::PlainText);
    StatusBar1->addWidget(StatusText, 1);
    StatusBar1->setSizeGripEnabled(true);
    // A notice longer than the bar is cut at its end rather than widening
    // the window.
    StatusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusNotice_ = new StatusNotice(StatusText);
}

void TForm1::SetKeyboardOrder() {
    QWidget* const order[] = {CheckListBox2, Button5,  Button6,   Button7, Button3,
                              Button4,       ListBox1, CheckBox1, Button1, Button2};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    ProgressBar1->setFocusPolicy(Qt::NoFocus);
    StatusBar1->setFocusPolicy(Qt::NoFocus);
    CheckListBox2->setFocus();
}

void TForm1::ConnectHandlers() {
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(StDropFiles1, &StDropFiles::DropFiles, this, &TForm1::StDropFiles1DropFiles);
    connect(AddFiles1, &QAction::triggered, this, &TForm1::AddFiles1Click);
    connect(AddFolder1, &QAction::triggered, this, &TForm1::AddFolder1Click);
    connect(Beenden1, &QAction::triggered, this, &TForm1::Beenden1Click);
    connect(Copyright1, &QAction::triggered, this, &TForm1::Copyright1Click);
    connect(Donate1, &QAction::triggered, this, &TForm1::Donate1Click);
    connect(VisitWebsite1, &QAction::triggered, this, &TForm1::VisitWebsite1Click);
}

void TForm1::ShowAtFirstPosition() {
    MoveToScreenCentre(*this);
    show();
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends with this window; the about window goes with it.
    if (aboutWindow_ != nullptr) {
        aboutWindow_->hide();
    }
}

// The handlers below are the hooks of the later steps: the extension list
// (Button5-7), the file list and drops (Button3-4, StDropFiles1DropFiles),
// the conversion runs (Button1-2) and the settings (FormCreate,
// FormCloseQuery).

void TForm1::FormCreate() {
    LoadExtensionList();
}

// The save deals with its own failures, so the window always closes.
void TForm1::FormCloseQuery(bool& canClose) {
    canClose = false;
    SaveExtensionList();
    canClose = true;
}

void TForm1::LoadExtensionList() {
    if (!settingsPath_) {
        return;
    }
    const auto outcome = glyphwright::LoadExtensionList(extensions_, *settingsPath_);
    ShowSettingsMessage(wording::SettingsMessage(outcome));
}

void TForm1::SaveExtensionList() {
    if (!settingsPath_) {
        return;
    }
    const auto outcome = glyphwright::SaveExtensionList(extensions_, *settingsPath_);
    ShowSettingsMessage(wording::SettingsMessage(outcome));
}

void TForm1::Button1Click() {
    EncodeRun(files_, {this, ProgressBar1, CheckBox1});
}

void TForm1::Button2Click() {
    DecodeRun(files_, {this, ProgressBar1, CheckBox1});
}

void TForm1::Button3Click() {
    if (ShowConfirmationBox(QCoreApplication::translate("TForm1", "Die gesamte Liste löschen?")) ==
        ResultYes) {
        files_.Clear();
    }
}

// Every selected entry goes; the rest keep their order.
void TForm1::Button4Click() {
    const std::vector<std::size_t> rows = SelectedRows(*ListBox1);
    if (rows.empty()) {
        return;
    }
    // The selection model would otherwise follow each removed block across
    // all of its ranges, which is quadratic for a scattered selection.
    ListBox1->selectionModel()->clearSelection();
    files_.DeleteRows(rows);
}

void TForm1::Button5Click() {
    if (ShowConfirmationBox(QCoreApplication::translate("TForm1", "Die gesamte Liste löschen?")) ==
        ResultYes) {
        extensions_.Clear();
    }
}

// Deletes the selected entry, if there is one; no question is asked.
void TForm1::Button6Click() {
    const std::vector<std::size_t> rows = SelectedRows(*CheckListBox2);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        extensions_.Delete(*row);
    }
    // The list view hands the selection on to the next entry; no entry is
    // selected until the user picks one.
    CheckListBox2->selectionModel()->clear();
}

void TForm1::Button7Click() {
    QString typed;
    if (!ShowInputDialog(
            QCoreApplication::translate("TForm1", "Neue Endung"),
            QCoreApplication::translate("TForm1", "Bitte die Endung eingeben (z.B. \".PHP\"):"),
            typed) ||
        typed.isEmpty()) {
        return;
    }
    // Entries are native byte strings, compared with file names as the file
    // system spells them.
    extensions_.Add(TypedExtension(QFile::encodeName(typed).toStdString()));
}

// A list that cannot take another entry ends the intake with ListFullError,
// which the application reports; the entries appended before stay. A long
// walk keeps the window painted but takes no input.
void TForm1::StDropFiles1DropFiles() {
    TakeIn(StDropFiles1->Files());
}

void TForm1::TakeIn(const std::vector<std::string>& paths) {
    BusyScope busy;
    const IntakeOutcome outcome = TakeDroppedPaths(paths, extensions_, files_, busy.BreatheHook());
    statusNotice_->Show(IntakeStatusText(outcome, extensions_));
}

// What the dialogs give goes the way of a drop; a cancelled one changes nothing.
void TForm1::AddFiles1Click() {
    if (const std::vector<std::string> chosen = choosers_.files(this); !chosen.empty()) {
        TakeIn(chosen);
    }
}

void TForm1::AddFolder1Click() {
    if (const std::vector<std::string> chosen = choosers_.folder(this); !chosen.empty()) {
        TakeIn(chosen);
    }
}

void TForm1::SetAboutWindow(TForm_Copyright* about) {
    aboutWindow_ = about;
}

void TForm1::Copyright1Click() {
    if (aboutWindow_ != nullptr) {
        aboutWindow_->ShowInFront(this);
    }
}

void TForm1::Donate1Click() {
    OpenWebPage(DonationPageUrl());
}

void TForm1::VisitWebsite1Click() {
    OpenWebPage(HomePageUrl());
}

// "&Beenden" closes the window exactly as its close box does, close query
// included.
void TForm1::Beenden1Click() {
    close();
}

} // namespace glyphwright::ui
