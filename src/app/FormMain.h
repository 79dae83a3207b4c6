#pragma once
// The main window: the two stacked document boxes, the status strip and the whole menu
// bar. Every command is one slot named after its menu item; what a command does beyond
// the window itself lives in the subsystem it belongs to (src/document, src/editor, ...).

#include "src/document/Document.h"
#include "src/document/DocumentHost.h"
#include "src/script/ScriptSession.h"

#include "scripting/control/ScriptControl.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;

namespace quillo {

class Dialogs;
class DocumentBox;
class Editor;
class FileCommands;
class FormConsole;
class RecentFiles;
class SettingsStore;

class FormMain : public QMainWindow, private DocumentHost {
    Q_OBJECT
public:
    // Creates the window hidden and runs its load step.
    explicit FormMain(Dialogs& dialogs, QWidget* parent = nullptr);
    // The same with settings read from and written to settings instead of the user's
    // own store.
    FormMain(Dialogs& dialogs, SettingsStore& settings, QWidget* parent = nullptr);
    ~FormMain() override;

    Dialogs& dialogs() const { return m_dialogs; }
    Document& document() { return m_document; }
    FormConsole& console() const { return *m_console; }
    // The settings store of this run ("Brenholt"/"Tarka"): the load step reads it, the
    // unload step writes it and ends with its sync().
    SettingsStore& settings() const { return m_settings; }
    // The File menu's recent-files list.
    RecentFiles& recentFiles() const { return *m_recentFiles; }
    // The editor commands: Edit menu and undo snapshot, Go To, word wrap, font, the boxes'
    // key and mouse events.
    Editor& editor() const { return *m_editor; }

    // Public operations, also offered to scripts.
    Q_INVOKABLE QString GetFileNameFromPath(const QString& Path) const;
    Q_INVOKABLE bool OpenFile(const QString& FileName);

    // TextMain(TextIndex), the box that shows the document.
    DocumentBox& activeBox() override;

    // Refreshes the caret position ("Line N, Column M") in the status strip.
    void UpdateStatus();
    // Resets ScriptMain and gives it the named objects scripts use.
    void AddScriptObjects();
    // The resize layout; also run after a word-wrap switch and by View > Status Bar.
    void layOut();

    // Controls, named as in the form. TextMain[1] lies below PictureStatus, TextMain[0]
    // above both.
    std::array<DocumentBox*, 2> TextMain{};
    QFrame* PictureStatus = nullptr;
    QLabel* LabelStatus = nullptr;

    // Index of the box that shows the document: 0 no wrap, 1 wrap.
    short TextIndex = 0;
    // The user's status-bar choice, kept while word wrap hides the strip.
    bool StatusBarShown = false;

    // Menus and their items, named as in the form.
    QMenu* MenuFile = nullptr;
    QAction* MenuFileNew = nullptr;
    QAction* MenuFileOpen = nullptr;
    QAction* MenuFileSave = nullptr;
    QAction* MenuFileSaveAs = nullptr;
    QAction* MenuFileSeparator1 = nullptr;
    std::vector<QAction*> MenuFileMRU;
    QAction* MenuFileSeparator2 = nullptr;
    QAction* MenuFileExit = nullptr;

    QMenu* MenuEdit = nullptr;
    QAction* MenuEditUndo = nullptr;
    QAction* MenuEditSeparator1 = nullptr;
    QAction* MenuEditCut = nullptr;
    QAction* MenuEditCopy = nullptr;
    QAction* MenuEditPaste = nullptr;
    QAction* MenuEditDelete = nullptr;
    QAction* MenuEditSeparator2 = nullptr;
    QAction* MenuEditGoto = nullptr;
    QAction* MenuEditSeparator3 = nullptr;
    QAction* MenuEditSelectAll = nullptr;

    QMenu* MenuRun = nullptr;
    QAction* MenuRunStart = nullptr;

    QMenu* MenuLanguage = nullptr;
    QAction* MenuLanguageText = nullptr;
    QAction* MenuLanguageJScript = nullptr;
    QAction* MenuLanguageVBScript = nullptr;

    QMenu* MenuFormat = nullptr;
    QAction* MenuFormatWordWrap = nullptr;
    QAction* MenuFormatFont = nullptr;

    QMenu* MenuView = nullptr;
    QAction* MenuViewConsole = nullptr;
    QAction* MenuViewStatusBar = nullptr;

    QMenu* MenuHelp = nullptr;
    QAction* MenuHelpAbout = nullptr;

public slots:
    void MenuFileNew_Click();
    void MenuFileOpen_Click();
    void MenuFileSave_Click();
    void MenuFileSaveAs_Click();
    void MenuFileMRU_Click(int Index);
    void MenuFileExit_Click();
    void MenuLanguageText_Click();
    void MenuLanguageJScript_Click();
    void MenuLanguageVBScript_Click();
    void MenuRunStart_Click();
    void MenuViewConsole_Click();
    void MenuViewStatusBar_Click();
    void MenuHelpAbout_Click();

    // Change handler shared by both document boxes.
    void TextMain_Change(int index);

signals:
    // The unload step has run; the program ends.
    void unloaded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // ownSettings: the user's store, used when settings is null.
    FormMain(Dialogs& dialogs, std::unique_ptr<SettingsStore> ownSettings, SettingsStore* settings,
             QWidget* parent);

    void createControls();
    void createMenus();
    void createFileMenu();
    void createEditMenu();
    void createRunMenu();
    void createLanguageMenu();
    void createFormatMenu();
    void createViewMenu();
    void createHelpMenu();
    void connectCommands();
    void createEditor();

    void Form_Load();
    // The close request: true when the window may close.
    bool QueryUnload();
    void Form_Unload();

    void setCaption(const QString& caption) override;
    void runLanguageCommand(Language language) override;
    Language checkedLanguage() const override;
    void resetUndoSnapshot(const QString& text) override;
    void addRecentFile(const QString& name) override;
    QWidget* dialogOwner() override { return this; }
    void setRunEnabled(bool enabled);
    void ScriptMain_Error();

    Dialogs& m_dialogs;
    Document m_document;
    std::unique_ptr<SettingsStore> m_ownSettings;
    SettingsStore& m_settings;
    std::unique_ptr<RecentFiles> m_recentFiles;
    std::unique_ptr<FileCommands> m_fileCommands;
    FormConsole* m_console = nullptr;
    Editor* m_editor = nullptr;
    bool m_unloaded = false;
    // Before ScriptMain: its host services outlive the control.
    ScriptSession m_script{m_dialogs, *this};

public:
    // The script control: Timeout 10000 ms, the user interface allowed.
    script::ScriptControl ScriptMain{m_script.hostServices()};
};

} // namespace quillo
