#include "src/app/FormMain.h"

#include "src/app/AppIcon.h"
#include "src/app/MainLayout.h"
#include "src/app/Settings.h"
#include "src/document/DocumentName.h"
#include "src/document/FileCommands.h"
#include "src/document/RecentFiles.h"
#include "src/editor/DocumentBox.h"
#include "src/editor/Editor.h"
#include "src/host/FormConsole.h"
#include "src/platform/Dialogs.h"
#include "src/platform/IniSettingsStore.h"
#include "src/platform/Twips.h"
#include "src/script/ScriptSession.h"

#include "scripting/core/ProductInfo.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSessionManager>

namespace quillo {

namespace {
QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Creation geometry of the form, in twips.
constexpr int ClientLeft = 2370, ClientTop = 4515, ClientWidth = 6000, ClientHeight = 2910;
constexpr QRect TextMain1Design{480, 240, 3855, 2055};
constexpr QRect PictureStatusDesign{0, 2640, 3255, 255};
constexpr QRect LabelStatusDesign{0, 0, 2775, 255};
constexpr QRect TextMain0Design{0, 0, 3855, 2055};

QRect rectFromTwips(QRect twips) {
    return QRect(pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y()),
                 pixelsFromTwips(twips.width()), pixelsFromTwips(twips.height()));
}
} // namespace

FormMain::FormMain(Dialogs& dialogs, QWidget* parent)
    : FormMain(dialogs, std::make_unique<IniSettingsStore>(), nullptr, parent) {}

FormMain::FormMain(Dialogs& dialogs, SettingsStore& settings, QWidget* parent)
    : FormMain(dialogs, nullptr, &settings, parent) {}

FormMain::FormMain(Dialogs& dialogs, std::unique_ptr<SettingsStore> ownSettings, SettingsStore* settings,
                   QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_document(*this), m_ownSettings(std::move(ownSettings)),
      m_settings(settings ? *settings : *m_ownSettings) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(fromView(product::Title));
    setWindowIcon(columnIcon());
    createControls();
    createMenus();
    m_recentFiles = std::make_unique<RecentFiles>(*MenuFile, *MenuFileSeparator1, MenuFileMRU,
                                                  *MenuFileSeparator2, m_settings);
    m_fileCommands = std::make_unique<FileCommands>(m_document, static_cast<DocumentHost&>(*this), m_dialogs,
                                                    *m_recentFiles);
    connectCommands();
    createEditor();

    const int menuHeight = menuBar()->sizeHint().height();
    move(pixelsFromTwips(ClientLeft), pixelsFromTwips(ClientTop));
    resize(pixelsFromTwips(ClientWidth), pixelsFromTwips(ClientHeight) + menuHeight);

#ifndef QT_NO_SESSIONMANAGER
    // A system shutdown is one more close request; it may ask the user only with the
    // session manager's permission.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (manager.allowsInteraction() && !close()) manager.cancel();
    });
#endif

    Form_Load();
}

FormMain::~FormMain() = default;

void FormMain::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);

    // Creation order is z-order: each later control lies above the earlier ones.
    TextMain[1] = new DocumentBox(1, client);
    TextMain[1]->setGeometry(rectFromTwips(TextMain1Design));

    PictureStatus = new QFrame(client);
    PictureStatus->setObjectName(QStringLiteral("PictureStatus"));
    PictureStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PictureStatus->setLineWidth(1);
    PictureStatus->setGeometry(rectFromTwips(PictureStatusDesign));

    LabelStatus = new QLabel(PictureStatus);
    LabelStatus->setObjectName(QStringLiteral("LabelStatus"));
    const QRect label = rectFromTwips(LabelStatusDesign);
    LabelStatus->setGeometry(label.translated(PictureStatus->contentsRect().topLeft()));

    TextMain[0] = new DocumentBox(0, client);
    TextMain[0]->setGeometry(rectFromTwips(TextMain0Design));

    // Tab order as designed: TextMain(0), PictureStatus, LabelStatus, TextMain(1).
    setTabOrder(TextMain[0], TextMain[1]);
}

namespace {
QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

QAction* addCheckItem(QMenu* menu, const char* name, const QString& caption, bool checked) {
    QAction* action = addItem(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QAction* addSeparator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}
} // namespace

void FormMain::createMenus() {
    createFileMenu();
    createEditMenu();
    createRunMenu();
    createLanguageMenu();
    createFormatMenu();
    createViewMenu();
    createHelpMenu();
}

void FormMain::createFileMenu() {
    MenuFile = addMenu(menuBar(), "MenuFile", tr("&File"));
    MenuFileNew = addItem(MenuFile, "MenuFileNew", tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    MenuFileOpen = addItem(MenuFile, "MenuFileOpen", tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    MenuFileSave = addItem(MenuFile, "MenuFileSave", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    MenuFileSaveAs = addItem(MenuFile, "MenuFileSaveAs", tr("Save &As..."));
    MenuFileSeparator1 = addSeparator(MenuFile, "MenuFileSeparator1");
    MenuFileSeparator1->setVisible(false);
    QAction* firstRecent = addItem(MenuFile, "MenuFileMRU(0)", tr("MRU List"));
    firstRecent->setVisible(false);
    MenuFileMRU.push_back(firstRecent);
    MenuFileSeparator2 = addSeparator(MenuFile, "MenuFileSeparator2");
    MenuFileExit = addItem(MenuFile, "MenuFileExit", tr("&Exit"));
}

void FormMain::createEditMenu() {
    MenuEdit = addMenu(menuBar(), "MenuEdit", tr("&Edit"));
    MenuEditUndo = addItem(MenuEdit, "MenuEditUndo", tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    MenuEditSeparator1 = addSeparator(MenuEdit, "MenuEditSeparator1");
    MenuEditCut = addItem(MenuEdit, "MenuEditCut", tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    MenuEditCopy = addItem(MenuEdit, "MenuEditCopy", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    MenuEditPaste = addItem(MenuEdit, "MenuEditPaste", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    MenuEditDelete = addItem(MenuEdit, "MenuEditDelete", tr("&Delete"), QKeySequence(Qt::Key_Delete));
    MenuEditSeparator2 = addSeparator(MenuEdit, "MenuEditSeparator2");
    MenuEditGoto = addItem(MenuEdit, "MenuEditGoto", tr("&Go To..."), QKeySequence(Qt::CTRL | Qt::Key_G));
    MenuEditSeparator3 = addSeparator(MenuEdit, "MenuEditSeparator3");
    MenuEditSelectAll = addItem(MenuEdit, "MenuEditSelectAll", tr("&Select All"), QKeySequence(Qt::CTRL | Qt::Key_A));
}

void FormMain::createRunMenu() {
    MenuRun = addMenu(menuBar(), "MenuRun", tr("&Run"));
    MenuRunStart = addItem(MenuRun, "MenuRunStart", tr("&Start"), QKeySequence(Qt::Key_F5));
}

void FormMain::createLanguageMenu() {
    MenuLanguage = addMenu(menuBar(), "MenuLanguage", tr("&Language"));
    MenuLanguageText = addCheckItem(MenuLanguage, "MenuLanguageText", tr("&Text"), false);
    MenuLanguageJScript = addCheckItem(MenuLanguage, "MenuLanguageJScript", tr("&JScript"), false);
    MenuLanguageVBScript = addCheckItem(MenuLanguage, "MenuLanguageVBScript", tr("&VBScript"), true);
}

void FormMain::createFormatMenu() {
    MenuFormat = addMenu(menuBar(), "MenuFormat", tr("F&ormat"));
    MenuFormatWordWrap = addCheckItem(MenuFormat, "MenuFormatWordWrap", tr("&Word Wrap"), false);
    MenuFormatFont = addItem(MenuFormat, "MenuFormatFont", tr("&Font..."));
}

void FormMain::createViewMenu() {
    MenuView = addMenu(menuBar(), "MenuView", tr("&View"));
    MenuViewConsole = addCheckItem(MenuView, "MenuViewConsole", tr("&Console"), false);
    MenuViewStatusBar = addCheckItem(MenuView, "MenuViewStatusBar", tr("&Status Bar"), false);
}

void FormMain::createHelpMenu() {
    MenuHelp = addMenu(menuBar(), "MenuHelp", tr("&Help"));
    MenuHelpAbout = addItem(MenuHelp, "MenuHelpAbout", tr("&About"));
}

// A checkable item inverts its own check before its slot runs, so the Click handlers below
// find the new check already in place.
void FormMain::connectCommands() {
    connect(MenuFileNew, &QAction::triggered, this, &FormMain::MenuFileNew_Click);
    connect(MenuFileOpen, &QAction::triggered, this, &FormMain::MenuFileOpen_Click);
    connect(MenuFileSave, &QAction::triggered, this, &FormMain::MenuFileSave_Click);
    connect(MenuFileSaveAs, &QAction::triggered, this, &FormMain::MenuFileSaveAs_Click);
    m_recentFiles->chosen = [this](int index) { MenuFileMRU_Click(index); };
    connect(MenuFileExit, &QAction::triggered, this, &FormMain::MenuFileExit_Click);
    connect(MenuLanguageText, &QAction::triggered, this, &FormMain::MenuLanguageText_Click);
    connect(MenuLanguageJScript, &QAction::triggered, this, &FormMain::MenuLanguageJScript_Click);
    connect(MenuLanguageVBScript, &QAction::triggered, this, &FormMain::MenuLanguageVBScript_Click);
    connect(MenuRunStart, &QAction::triggered, this, &FormMain::MenuRunStart_Click);
    ScriptMain.setTimeout(10000);
    ScriptMain.setAllowUI(true);
    ScriptMain.setErrorHandler([this] { ScriptMain_Error(); });
    connect(MenuViewConsole, &QAction::triggered, this, &FormMain::MenuViewConsole_Click);
    connect(MenuViewStatusBar, &QAction::triggered, this, &FormMain::MenuViewStatusBar_Click);
    connect(MenuHelpAbout, &QAction::triggered, this, &FormMain::MenuHelpAbout_Click);
    for (DocumentBox* box : TextMain)
        connect(box, &DocumentBox::change, this, &FormMain::TextMain_Change);
}

void FormMain::createEditor() {
    EditorControls controls;
    controls.window = this;
    controls.dialogs = &m_dialogs;
    controls.MenuEdit = MenuEdit;
    controls.editItems = {MenuEditUndo, MenuEditCut, MenuEditCopy, MenuEditPaste, MenuEditDelete};
    controls.MenuEditGoto = MenuEditGoto;
    controls.MenuEditSelectAll = MenuEditSelectAll;
    controls.MenuFormatFont = MenuFormatFont;
    controls.consoleOutput = [this] { return m_console ? m_console->TextOutput : nullptr; };
    controls.UpdateStatus = [this] { UpdateStatus(); };
    WordWrapView wordWrap{TextMain,          TextIndex,           StatusBarShown, MenuFormatWordWrap,
                          MenuEditGoto,      MenuViewStatusBar,   PictureStatus,  [this] { layOut(); }};
    m_editor = new Editor(std::move(controls), std::move(wordWrap), this);
}

// ---- Load and unload ------------------------------------------------------------------

// The load step: the untitled document, the console window, the layout. Restoring the
// settings (which decide the console's visibility) and the recent-files list goes between
// the caption and the layout.
void FormMain::Form_Load() {
    m_document.makeUntitled();

    // The console window exists from here to the end of the program, shown only while
    // View > Console is checked.
    m_console = new FormConsole(this);
    connect(m_console, &FormConsole::hiddenByUser, this, [this] { MenuViewConsole->setChecked(false); });
    m_console->TextOutput->setFont(TextMain[0]->font());
    m_console->setVisible(MenuViewConsole->isChecked());

    // Also decides the console window's visibility.
    RestoreSettings(*this, m_settings);
    m_recentFiles->MRULast = -1;
    m_recentFiles->LoadRecentFiles();
    layOut();
}

// Whether the window may close; the save-changes question belongs here.
bool FormMain::QueryUnload() { return m_fileCommands->QueryUnload(); }

// The unload step ends the program and the console window with it; writing the settings and
// the recent-files list comes first.
void FormMain::Form_Unload() {
    SaveSettings(*this, m_settings);
    m_recentFiles->SaveRecentFiles();
    m_settings.sync();
    m_unloaded = true;
    m_console->closeWithProgram();
    emit unloaded();
}

void FormMain::closeEvent(QCloseEvent* event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (!QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void FormMain::MenuFileExit_Click() { close(); }

// ---- Document -------------------------------------------------------------------------

DocumentBox& FormMain::activeBox() { return *TextMain[size_t(TextIndex)]; }

void FormMain::setCaption(const QString& caption) { setWindowTitle(caption); }

QString FormMain::GetFileNameFromPath(const QString& Path) const { return quillo::GetFileNameFromPath(Path); }

bool FormMain::OpenFile(const QString& FileName) { return m_document.OpenFile(FileName); }

void FormMain::MenuFileNew_Click() { m_fileCommands->MenuFileNew(); }
void FormMain::MenuFileOpen_Click() { m_fileCommands->MenuFileOpen(); }
void FormMain::MenuFileSave_Click() { m_fileCommands->SaveFile(false); }
void FormMain::MenuFileSaveAs_Click() { m_fileCommands->SaveFile(true); }
void FormMain::MenuFileMRU_Click(int Index) { m_fileCommands->MenuFileMRU(Index); }

void FormMain::resetUndoSnapshot(const QString& text) { m_editor->snapshot().reset(text); }

void FormMain::addRecentFile(const QString& name) { m_recentFiles->AddRecentFile(name); }

Language FormMain::checkedLanguage() const {
    if (MenuLanguageJScript->isChecked()) return Language::JScript;
    if (MenuLanguageText->isChecked()) return Language::Text;
    return Language::VBScript;
}

void FormMain::TextMain_Change(int /*index*/) {
    m_document.TextChanged = true;
    UpdateStatus();
}

// ---- Language -------------------------------------------------------------------------

void FormMain::runLanguageCommand(Language language) {
    switch (language) {
    case Language::Text: MenuLanguageText_Click(); break;
    case Language::JScript: MenuLanguageJScript_Click(); break;
    case Language::VBScript: MenuLanguageVBScript_Click(); break;
    }
}

void FormMain::setRunEnabled(bool enabled) {
    // The Run menu's title, and with it Start and its F5 shortcut.
    MenuRun->menuAction()->setEnabled(enabled);
    MenuRun->setEnabled(enabled);
}

void FormMain::MenuLanguageText_Click() {
    MenuLanguageJScript->setChecked(false);
    MenuLanguageText->setChecked(true);
    MenuLanguageVBScript->setChecked(false);
    setRunEnabled(false);
}

void FormMain::MenuLanguageJScript_Click() {
    MenuLanguageJScript->setChecked(true);
    MenuLanguageText->setChecked(false);
    MenuLanguageVBScript->setChecked(false);
    setRunEnabled(true);
    m_script.selectLanguage(ScriptMain, *m_console, u"JScript");
}

void FormMain::MenuLanguageVBScript_Click() {
    MenuLanguageJScript->setChecked(false);
    MenuLanguageText->setChecked(false);
    MenuLanguageVBScript->setChecked(true);
    setRunEnabled(true);
    m_script.selectLanguage(ScriptMain, *m_console, u"VBScript");
}

// ---- Running scripts ------------------------------------------------------------------

void FormMain::AddScriptObjects() { m_script.addScriptObjects(ScriptMain, *m_console); }

void FormMain::MenuRunStart_Click() { m_script.run(ScriptMain, *m_console, activeBox().text()); }

void FormMain::ScriptMain_Error() { m_script.reportError(ScriptMain); }

// ---- Layout and status bar ------------------------------------------------------------

void FormMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layOut();
}

void FormMain::layOut() {
    if (!PictureStatus) return; // resize events while the controls are being created
    // Size the client area now: a hidden window defers its own layout until it is shown.
    layout()->invalidate();
    layout()->activate();
    MainLayoutGeometry current{TextMain[0]->geometry(), TextMain[1]->geometry(),
                               PictureStatus->geometry(), LabelStatus->width()};
    const int stripBorder = PictureStatus->width() - PictureStatus->contentsRect().width();
    const MainLayoutGeometry next =
        layOutMain(current, centralWidget()->size(), MenuViewStatusBar->isChecked(), stripBorder);
    TextMain[0]->setGeometry(next.textMain0);
    TextMain[1]->setGeometry(next.textMain1);
    PictureStatus->setGeometry(next.pictureStatus);
    LabelStatus->resize(next.labelStatusWidth, LabelStatus->height());
}

void FormMain::MenuViewStatusBar_Click() {
    StatusBarShown = MenuViewStatusBar->isChecked();
    PictureStatus->setVisible(StatusBarShown);
    layOut();
}

void FormMain::UpdateStatus() {
    if (MenuFormatWordWrap->isChecked()) return;
    const DocumentBox& box = activeBox();
    const int pos = box.selStart();
    const int line = box.lineFromChar(-1);
    const int lineStart = box.lineIndex(line);
    LabelStatus->setText(QStringLiteral("Line %1, Column %2").arg(line + 1).arg(pos - lineStart + 1));
}

void FormMain::MenuViewConsole_Click() { m_console->setVisible(MenuViewConsole->isChecked()); }

// ---- About ----------------------------------------------------------------------------

void FormMain::MenuHelpAbout_Click() {
    const QString text = fromView(product::TitleAndVersion) + QLatin1String("\r\n") +
                         fromView(product::FileDescription);
    m_dialogs.aboutBox(this, QStringLiteral("Windows"), text, windowIcon());
}

} // namespace quillo
