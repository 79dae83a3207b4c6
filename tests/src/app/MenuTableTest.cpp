// The menu bar as created: every item in order, with its caption, shortcut and state.

#include "tests/src/support/FormMainTest.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quillo {
namespace {

struct MenuRow {
    const char* name;
    const char* caption; // nullptr for a separator
    const char* shortcut;
    bool checkable;
    bool checked;
    bool visible;
};

struct MenuColumn {
    const char* name;
    const char* caption;
    std::vector<MenuRow> items;
};

const std::vector<MenuColumn>& menuTable() {
    static const std::vector<MenuColumn> table = {
        {"MenuFile", "&File",
         {{"MenuFileNew", "&New", "Ctrl+N", false, false, true},
          {"MenuFileOpen", "&Open...", "Ctrl+O", false, false, true},
          {"MenuFileSave", "&Save", "Ctrl+S", false, false, true},
          {"MenuFileSaveAs", "Save &As...", "", false, false, true},
          {"MenuFileSeparator1", nullptr, "", false, false, false},
          {"MenuFileMRU(0)", "MRU List", "", false, false, false},
          {"MenuFileSeparator2", nullptr, "", false, false, true},
          {"MenuFileExit", "&Exit", "", false, false, true}}},
        {"MenuEdit", "&Edit",
         {{"MenuEditUndo", "&Undo", "Ctrl+Z", false, false, true},
          {"MenuEditSeparator1", nullptr, "", false, false, true},
          {"MenuEditCut", "Cu&t", "Ctrl+X", false, false, true},
          {"MenuEditCopy", "&Copy", "Ctrl+C", false, false, true},
          {"MenuEditPaste", "&Paste", "Ctrl+V", false, false, true},
          {"MenuEditDelete", "&Delete", "Del", false, false, true},
          {"MenuEditSeparator2", nullptr, "", false, false, true},
          {"MenuEditGoto", "&Go To...", "Ctrl+G", false, false, true},
          {"MenuEditSeparator3", nullptr, "", false, false, true},
          {"MenuEditSelectAll", "&Select All", "Ctrl+A", false, false, true}}},
        {"MenuRun", "&Run", {{"MenuRunStart", "&Start", "F5", false, false, true}}},
        {"MenuLanguage", "&Language",
         {{"MenuLanguageText", "&Text", "", true, false, true},
          {"MenuLanguageJScript", "&JScript", "", true, false, true},
          {"MenuLanguageVBScript", "&VBScript", "", true, true, true}}},
        {"MenuFormat", "F&ormat",
         {{"MenuFormatWordWrap", "&Word Wrap", "", true, false, true},
          {"MenuFormatFont", "&Font...", "", false, false, true}}},
        {"MenuView", "&View",
         {{"MenuViewConsole", "&Console", "", true, false, true},
          {"MenuViewStatusBar", "&Status Bar", "", true, false, true}}},
        {"MenuHelp", "&Help", {{"MenuHelpAbout", "&About", "", false, false, true}}},
    };
    return table;
}

using MenuTableTest = FormMainTest;

TEST_F(MenuTableTest, MenuBarHoldsTheMenusInOrder) {
    const QList<QAction*> titles = form->menuBar()->actions();
    ASSERT_EQ(titles.size(), qsizetype(menuTable().size()));
    for (size_t i = 0; i < menuTable().size(); ++i) {
        const MenuColumn& column = menuTable()[i];
        SCOPED_TRACE(column.name);
        EXPECT_EQ(titles[qsizetype(i)]->objectName().toStdString(), column.name);
        EXPECT_EQ(titles[qsizetype(i)]->text().toStdString(), column.caption);
        EXPECT_TRUE(titles[qsizetype(i)]->isEnabled());
        EXPECT_TRUE(titles[qsizetype(i)]->isVisible());
        ASSERT_NE(titles[qsizetype(i)]->menu(), nullptr);
    }
}

TEST_F(MenuTableTest, EveryItemHasItsCaptionShortcutAndState) {
    const QList<QAction*> titles = form->menuBar()->actions();
    ASSERT_EQ(titles.size(), qsizetype(menuTable().size()));
    for (size_t i = 0; i < menuTable().size(); ++i) {
        const MenuColumn& column = menuTable()[i];
        const QList<QAction*> items = titles[qsizetype(i)]->menu()->actions();
        ASSERT_EQ(items.size(), qsizetype(column.items.size())) << column.name;
        for (size_t j = 0; j < column.items.size(); ++j) {
            const MenuRow& row = column.items[j];
            const QAction* item = items[qsizetype(j)];
            SCOPED_TRACE(row.name);
            EXPECT_EQ(item->objectName().toStdString(), row.name);
            EXPECT_EQ(item->isSeparator(), row.caption == nullptr);
            if (row.caption) {
                EXPECT_EQ(item->text().toStdString(), row.caption);
            }
            EXPECT_EQ(item->shortcut().toString(QKeySequence::PortableText).toStdString(), row.shortcut);
            EXPECT_EQ(item->isCheckable(), row.checkable);
            EXPECT_EQ(item->isChecked(), row.checked);
            EXPECT_EQ(item->isVisible(), row.visible);
            // Qt reports a hidden action as disabled.
            EXPECT_EQ(item->isEnabled(), row.visible);
        }
    }
}

TEST_F(MenuTableTest, ItemsAreReachableByTheirNames) {
    for (const MenuColumn& column : menuTable()) {
        EXPECT_NE(form->findChild<QMenu*>(QLatin1String(column.name)), nullptr) << column.name;
        for (const MenuRow& row : column.items)
            EXPECT_NE(form->findChild<QAction*>(QLatin1String(row.name)), nullptr) << row.name;
    }
    ASSERT_EQ(form->MenuFileMRU.size(), 1u);
    EXPECT_EQ(form->MenuFileMRU[0]->objectName(), QStringLiteral("MenuFileMRU(0)"));
}

} // namespace
} // namespace quillo
