// The main window's settings through the real INI store in a temporary folder: what a
// run reads at load, what it writes at unload, and how stored values that the program
// never writes are taken.

#include "src/app/SettingsValues.h"
#include "src/editor/DocumentBox.h"
#include "src/host/FormConsole.h"
#include "src/platform/IniSettingsStore.h"
#include "src/platform/MemorySettingsStore.h"
#include "src/platform/Twips.h"
#include "tests/src/support/GuiTest.h"
#include "tests/src/support/TestFiles.h"

#include "src/app/FormMain.h"

#include <QAction>
#include <QDir>
#include <QLocale>
#include <QMap>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace quillo {
namespace {

// A memory store that also keeps the order of the writes.
class RecordingStore : public MemorySettingsStore {
public:
    void write(const QString& application, const QString& section, const QString& key, const QString& text) override {
        keys << key;
        MemorySettingsStore::write(application, section, key, text);
    }
    QStringList keys;
};

// Notes whether the watched window was shown in the normal state.
class ShowWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Show) {
            const auto* window = static_cast<QWidget*>(watched);
            if (window->isVisible() && window->windowState() == Qt::WindowNoState) shownNormal = true;
        }
        return false;
    }
    bool shownNormal = false;
};

// What restoring can set, to compare a window with a default one.
struct Restored {
    QRect geometry;
    Qt::WindowStates state;
    bool wordWrap, console, consoleVisible, statusBar;
    QRect consoleGeometry;
    Qt::WindowStates consoleState;
    bool text, jscript, vbscript;
    QString fonts; // the three boxes' fonts

    static QString describe(const QFont& font) {
        return font.family() + QLatin1Char(' ') + QString::number(font.pointSizeF()) + (font.bold() ? "b" : "") +
               (font.italic() ? "i" : "") + (font.underline() ? "u" : "") + (font.strikeOut() ? "s" : "");
    }
    explicit Restored(FormMain& form)
        : geometry(form.geometry()), state(form.windowState()), wordWrap(form.MenuFormatWordWrap->isChecked()),
          console(form.MenuViewConsole->isChecked()), consoleVisible(form.console().isVisible()),
          statusBar(form.MenuViewStatusBar->isChecked()), consoleGeometry(form.console().geometry()),
          consoleState(form.console().windowState()), text(form.MenuLanguageText->isChecked()),
          jscript(form.MenuLanguageJScript->isChecked()), vbscript(form.MenuLanguageVBScript->isChecked()),
          fonts(describe(form.TextMain[0]->font()) + " / " + describe(form.TextMain[1]->font()) + " / " +
                describe(form.console().TextOutput->font())) {}
    bool operator==(const Restored&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Restored& r) {
    const auto rect = [](QRect g) { return QStringLiteral("%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()); };
    return out << rect(r.geometry).toStdString() << " state " << int(r.state) << " wrap " << r.wordWrap << " console "
               << r.console << r.consoleVisible << ' ' << rect(r.consoleGeometry).toStdString() << " state "
               << int(r.consoleState) << " status " << r.statusBar << " lang " << r.text << r.jscript << r.vbscript
               << ' ' << r.fonts.toStdString();
}

class SettingsTest : public GuiTest {
protected:
    void TearDown() override {
        form.reset();
        store.reset();
        GuiTest::TearDown();
    }

    QString iniPath() const { return folder.filePath(QStringLiteral("Brenholt.ini")); }

    // A new run: a fresh store on the folder's file, and a main window loading from it.
    FormMain& start() {
        form.reset();
        store.reset(); // writes what the last run left pending
        store = std::make_unique<IniSettingsStore>(folder.path());
        form = std::make_unique<FormMain>(dialogs, *store);
        return *form;
    }
    // The run ends through the close box; returns whether the window closed.
    bool exit() {
        const bool closed = form->close();
        store->sync();
        return closed;
    }
    // Stores key := value for the next start, as a hand-edited file would.
    void storeValue(const QString& key, const QString& value) {
        IniSettingsStore edit(folder.path());
        edit.write(settings::Application, settings::Section, key, value);
    }
    QString stored(const QString& key) {
        IniSettingsStore reader(folder.path());
        return reader.read(settings::Application, settings::Section, key, QStringLiteral("<absent>"));
    }
    // The file's [Tarka] lines as key -> text.
    QMap<QString, QString> fileValues() const {
        QFile file(iniPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QMap<QString, QString> values;
        bool inSection = false;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.startsWith(QLatin1Char('['))) {
                inSection = line == QLatin1String("[Tarka]");
                continue;
            }
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (inSection && equals > 0) values.insert(line.left(equals), line.mid(equals + 1));
        }
        return values;
    }
    // The state a window has with nothing stored.
    Restored defaults() {
        MemorySettingsStore empty;
        FormMain fresh(dialogs, empty);
        return Restored(fresh);
    }

    QTemporaryDir folder;
    std::unique_ptr<IniSettingsStore> store;
    std::unique_ptr<FormMain> form;
};

TEST_F(SettingsTest, FirstRunUsesCreationValuesAndWritesNothingUntilExit) {
    FormMain& f = start();
    EXPECT_EQ(f.x(), pixelsFromTwips(2370));
    EXPECT_EQ(f.y(), pixelsFromTwips(4515));
    EXPECT_EQ(f.width(), pixelsFromTwips(6000));
    EXPECT_EQ(f.windowState(), Qt::WindowNoState);
    EXPECT_FALSE(f.MenuFormatWordWrap->isChecked());
    EXPECT_FALSE(f.MenuViewConsole->isChecked());
    EXPECT_FALSE(f.console().isVisible());
    EXPECT_FALSE(f.MenuViewStatusBar->isChecked());
    EXPECT_TRUE(f.MenuLanguageVBScript->isChecked());
    EXPECT_TRUE(f.MenuRun->menuAction()->isEnabled());
    for (const QWidget* box : {static_cast<QWidget*>(f.TextMain[0]), static_cast<QWidget*>(f.TextMain[1]),
                               static_cast<QWidget*>(f.console().TextOutput)})
        EXPECT_EQ(Restored::describe(box->font()), QStringLiteral("Lucida Console 9.75"));

    // Commands during the run change the working state, not the store.
    f.show();
    f.MenuViewStatusBar->trigger();
    f.MenuLanguageJScript->trigger();
    store->sync();
    EXPECT_FALSE(QFile::exists(iniPath()));
    ASSERT_TRUE(exit());
    EXPECT_TRUE(QFile::exists(iniPath()));
    EXPECT_EQ(stored(QStringLiteral("StatusBar")), QStringLiteral("True"));
    EXPECT_EQ(stored(QStringLiteral("Language")), QStringLiteral("JScript"));
    // The atomic save leaves no temporary file beside the settings.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("Brenholt.ini")});
}

TEST_F(SettingsTest, FileWrittenByARunHoldsEveryKeyAsText) {
    // The decimal separator is "." under any locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FormMain& f = start();
    const QString opened = writeTestFile(folder, QStringLiteral("a, b.txt"), "text");
    ASSERT_TRUE(f.OpenFile(opened));
    f.setGeometry(QRect(100, 80, 420, 300));
    f.console().setGeometry(QRect(30, 40, 320, 160));
    QFont font = f.TextMain[0]->font();
    font.setFamily(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSizeF(11.25);
    font.setItalic(true);
    f.TextMain[0]->setFont(font);
    f.MenuLanguageText->trigger();
    ASSERT_TRUE(exit());
    QLocale::setDefault(previous);

    const QMap<QString, QString> expected{
        {"WindowState", "0"},
        {"Left", QString::number(100 * 15)},
        {"Top", QString::number(80 * 15)},
        {"Width", QString::number(420 * 15)},
        {"Height", QString::number(300 * 15)},
        {"WordWrap", "False"},
        {"Console", "False"},
        {"ConsoleWindowState", "0"},
        {"ConsoleLeft", "450"},
        {"ConsoleTop", "600"},
        {"ConsoleWidth", "4800"},
        {"ConsoleHeight", "2400"},
        {"StatusBar", "False"},
        {"Language", "Text"},
        {"FontName", "DejaVu Sans Mono"},
        {"FontSize", "11.25"},
        {"FontBold", "False"},
        {"FontItalic", "True"},
        {"FontUnderline", "False"},
        {"FontStrikethru", "False"},
        {"MRUFile0", QLatin1Char('"') + opened + QLatin1Char('"')}, // quoted for its comma
    };
    const QMap<QString, QString> written = fileValues();
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(written.value(it.key(), "<absent>"), it.value()) << it.key().toStdString();
    // Nothing else is stored.
    EXPECT_EQ(written.keys(), expected.keys());
}

TEST_F(SettingsTest, UnloadWritesInTheFixedOrder) {
    RecordingStore recording;
    auto f = std::make_unique<FormMain>(dialogs, recording);
    EXPECT_EQ(recording.writeCount(), 0);
    ASSERT_TRUE(f->close());
    const QStringList expected{"WindowState", "Left",  "Top",  "Width", "Height", "WordWrap", "Console",
                               "ConsoleWindowState", "ConsoleLeft", "ConsoleTop", "ConsoleWidth", "ConsoleHeight",
                               "StatusBar", "Language", "FontName", "FontSize", "FontBold", "FontItalic",
                               "FontUnderline", "FontStrikethru"};
    EXPECT_EQ(recording.keys, expected);
}

TEST_F(SettingsTest, MaximisedRunStoresNormalGeometryAndRestoresItBeforeMaximising) {
    FormMain& f = start();
    const QRect normal(120, 90, 360, 250);
    f.setGeometry(normal);
    f.show();
    f.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(f.isMaximized());
    ASSERT_TRUE(exit());
    EXPECT_EQ(stored(QStringLiteral("WindowState")), QStringLiteral("2"));
    EXPECT_EQ(stored(QStringLiteral("Left")), QString::number(normal.x() * 15));
    EXPECT_EQ(stored(QStringLiteral("Top")), QString::number(normal.y() * 15));
    EXPECT_EQ(stored(QStringLiteral("Width")), QString::number(normal.width() * 15));
    EXPECT_EQ(stored(QStringLiteral("Height")), QString::number(normal.height() * 15));

    FormMain& next = start();
    EXPECT_TRUE(next.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(next.normalGeometry(), normal);
    next.show();
    next.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(next.geometry(), normal);
}

TEST_F(SettingsTest, HiddenMinimisedConsoleIsShownAndRestoredBeforeItsGeometryIsWritten) {
    FormMain& f = start();
    FormConsole& console = f.console();
    const QRect normal(200, 150, 300, 120);
    console.setGeometry(normal);
    console.setWindowState(Qt::WindowMinimized);
    ASSERT_FALSE(console.isVisible());
    ShowWatcher watcher;
    console.installEventFilter(&watcher);
    ASSERT_TRUE(exit());
    EXPECT_TRUE(watcher.shownNormal);
    EXPECT_EQ(stored(QStringLiteral("Console")), QStringLiteral("False"));
    EXPECT_EQ(stored(QStringLiteral("ConsoleWindowState")), QStringLiteral("1"));
    EXPECT_EQ(stored(QStringLiteral("ConsoleLeft")), QString::number(normal.x() * 15));
    EXPECT_EQ(stored(QStringLiteral("ConsoleWidth")), QString::number(normal.width() * 15));

    // The next start keeps it hidden, minimised, at that geometry.
    FormMain& next = start();
    EXPECT_FALSE(next.console().isVisible());
    EXPECT_TRUE(next.console().windowState() & Qt::WindowMinimized);
    EXPECT_EQ(next.console().geometry(), normal);
}

TEST_F(SettingsTest, ConsoleCheckStoredOnShowsTheConsoleAtStart) {
    FormMain& f = start();
    f.MenuViewConsole->trigger();
    ASSERT_TRUE(exit());
    EXPECT_EQ(stored(QStringLiteral("Console")), QStringLiteral("True"));
    FormMain& next = start();
    EXPECT_TRUE(next.MenuViewConsole->isChecked());
    EXPECT_TRUE(next.console().isVisible());
}

TEST_F(SettingsTest, StoredLanguageRunsItsMenuCommand) {
    const struct {
        const char* stored;
        bool text, jscript, vbscript;
    } cases[] = {
        {"Text", true, false, false},   {"JScript", false, true, false}, {"VBScript", false, false, true},
        {"", false, false, true},       {"Other", false, false, true},   {"jscript", false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        storeValue(QStringLiteral("Language"), QString::fromLatin1(c.stored));
        FormMain& f = start();
        EXPECT_EQ(f.MenuLanguageText->isChecked(), c.text);
        EXPECT_EQ(f.MenuLanguageJScript->isChecked(), c.jscript);
        EXPECT_EQ(f.MenuLanguageVBScript->isChecked(), c.vbscript);
        EXPECT_EQ(f.MenuRun->menuAction()->isEnabled(), !c.text);
    }
}

TEST_F(SettingsTest, FontOfTheBoxInUseIsStoredAndGivenToAllThreeBoxes) {
    FormMain& f = start();
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(11.3);
    chosen.setBold(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    dialogs.answerChooseFont(chosen);
    f.MenuFormatFont->trigger();
    // Box 0 shows the document; box 1 gets another font, which must not be the one stored.
    QFont other(QStringLiteral("Courier"));
    other.setPointSizeF(8);
    f.TextMain[1]->setFont(other);
    ASSERT_TRUE(exit());
    EXPECT_EQ(stored(QStringLiteral("FontSize")), QStringLiteral("11.3"));

    FormMain& next = start();
    const QString expected = QStringLiteral("DejaVu Serif 11.3bus");
    EXPECT_EQ(Restored::describe(next.TextMain[0]->font()), expected);
    EXPECT_EQ(Restored::describe(next.TextMain[1]->font()), expected);
    EXPECT_EQ(Restored::describe(next.console().TextOutput->font()), expected);

    // With word wrap in use, box 1's font is the one written.
    next.TextIndex = 1;
    next.TextMain[1]->setFont(other);
    ASSERT_TRUE(exit());
    EXPECT_EQ(stored(QStringLiteral("FontName")), QStringLiteral("Courier"));
    EXPECT_EQ(stored(QStringLiteral("FontSize")), QStringLiteral("8"));
    EXPECT_EQ(stored(QStringLiteral("FontBold")), QStringLiteral("False"));
}

TEST_F(SettingsTest, WordWrapOnAtExitWritesStatusBarFalse) {
    FormMain& f = start();
    f.show();
    f.MenuViewStatusBar->trigger();
    ASSERT_TRUE(f.MenuViewStatusBar->isChecked());
    f.MenuFormatWordWrap->trigger();
    if (f.MenuViewStatusBar->isEnabled()) GTEST_SKIP() << "the word-wrap switch does not take the status bar yet";
    ASSERT_TRUE(exit());
    EXPECT_EQ(stored(QStringLiteral("WordWrap")), QStringLiteral("True"));
    EXPECT_EQ(stored(QStringLiteral("StatusBar")), QStringLiteral("False"));

    FormMain& next = start();
    EXPECT_TRUE(next.MenuFormatWordWrap->isChecked());
    EXPECT_FALSE(next.MenuViewStatusBar->isChecked());
}

TEST_F(SettingsTest, ValuesTheProgramNeverWritesLeaveTheirDefaults) {
    const Restored expected = defaults();
    const double farAway = -1.5e6; // twips: 100000 pixels left of and above every screen
    const struct {
        const char* key;
        QString value;
    } cases[] = {
        {"Left", "abc"},
        {"Top", "12px"},
        {"Left", "1e300"},
        {"Width", "0"},
        {"Height", "-300"},
        {"Width", "1e9"},
        {"WindowState", "3"},
        {"WindowState", "-1"},
        {"WindowState", "1.5"},
        {"WindowState", "max"},
        {"WordWrap", "Yes"},
        {"Console", "1"},
        {"StatusBar", "maybe"},
        {"ConsoleHeight", "tall"},
        {"ConsoleWindowState", "7"},
        {"FontName", ""},
        {"FontSize", "0"},
        {"FontSize", "10000"},
        {"FontSize", "nine"},
        {"FontSize", "nan"},
        {"FontBold", "Bold"},
        {"FontItalic", "-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = " + c.value.toStdString());
        QFile::remove(iniPath());
        storeValue(QString::fromLatin1(c.key), c.value);
        EXPECT_EQ(Restored(start()), expected);
    }
    // Geometry off every screen: the window opens where it would have with nothing stored.
    for (const char* prefix : {"", "Console"}) {
        SCOPED_TRACE(prefix);
        QFile::remove(iniPath());
        storeValue(QString::fromLatin1(prefix) + "Left", numberText(farAway));
        storeValue(QString::fromLatin1(prefix) + "Top", numberText(farAway));
        EXPECT_EQ(Restored(start()), expected);
    }
    // The same keys with values the program writes do take effect.
    QFile::remove(iniPath());
    storeValue(QStringLiteral("Left"), QStringLiteral(" 3000 "));
    storeValue(QStringLiteral("FontSize"), QStringLiteral("12"));
    storeValue(QStringLiteral("WordWrap"), QStringLiteral("true"));
    FormMain& f = start();
    EXPECT_EQ(f.x(), 200);
    EXPECT_EQ(f.TextMain[1]->font().pointSizeF(), 12);
    EXPECT_TRUE(f.MenuFormatWordWrap->isChecked());
}

TEST_F(SettingsTest, UnreadableOrCorruptFileStartsWithDefaults) {
    const Restored expected = defaults();
    const QByteArray corrupt = "[Tarka\nLeft=3000\n=\x01\xff\n[[[\nWordWrap\n";
    QByteArray binary;
    for (int i = 0; i < 512; ++i) binary.append(char((i * 37 + 11) & 0xff));
    for (const QByteArray& content : {corrupt, binary}) {
        writeTestFile(folder, QStringLiteral("Brenholt.ini"), content);
        EXPECT_EQ(Restored(start()), expected);
        // The exit replaces the file with a sound one.
        form->MenuViewStatusBar->trigger();
        ASSERT_TRUE(exit());
        store.reset();
        EXPECT_EQ(fileValues().value(QStringLiteral("StatusBar")), QStringLiteral("True"));
        EXPECT_EQ(fileValues().value(QStringLiteral("Left")), QStringLiteral("2370"));
        QFile::remove(iniPath());
    }
    // A folder where the file should be cannot be read (nor written): defaults, no crash.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Brenholt.ini")));
    EXPECT_EQ(Restored(start()), expected);
    EXPECT_TRUE(exit());
}

TEST_F(SettingsTest, CancelledExitWritesNothing) {
    FormMain& f = start();
    f.show();
    f.activeBox().setText(QStringLiteral("unsaved"));
    f.MenuViewStatusBar->trigger();
    dialogs.answerMsgBox(msgbox::vbCancel);
    EXPECT_FALSE(exit());
    EXPECT_TRUE(f.isVisible());
    store->sync();
    EXPECT_FALSE(QFile::exists(iniPath()));
}

} // namespace
} // namespace quillo
