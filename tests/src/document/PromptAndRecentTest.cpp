// The save-changes prompt with New and closing, and the recent-files list, through the
// real main window.

#include "tests/src/document/FileTestFixture.h"
#include "tests/src/support/QtPrinters.h"

namespace quillo {
namespace {

using namespace msgbox;

using PromptTest = FileTest;
using RecentFilesTest = FileTest;

TEST_F(PromptTest, AskedOnlyForChangedDocumentsThatAreNotEmptyAndUntitled) {
    const struct {
        const char* name;
        bool named;
        QString typed; // last text typed; null: nothing typed
        bool asked;
    } cases[] = {
        {"untouched untitled", false, QString(), false},
        {"typed then deleted, untitled", false, QStringLiteral(""), false},
        {"typed, untitled", false, QStringLiteral("x"), true},
        {"untouched named", true, QString(), false},
        {"named edited to empty", true, QStringLiteral(""), true},
    };
    for (bool viaClose : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (viaClose ? ", closing" : ", New"));
            form = std::make_unique<FormMain>(dialogs, store);
            const QString named = file(QStringLiteral("named.vbs"), "abc");
            if (c.named) {
                ASSERT_TRUE(form->OpenFile(named));
            }
            if (!c.typed.isNull()) {
                type(QStringLiteral("typed"));
                type(c.typed);
            }
            dialogs.clearShown();
            if (c.asked) dialogs.answerMsgBox(vbCancel);
            const bool closed = viaClose ? form->close() : (form->MenuFileNew->trigger(), true);
            EXPECT_EQ(dialogs.shown().size(), c.asked ? 1u : 0u);
            if (c.asked) {
                EXPECT_EQ(dialogs.last().text, savePrompt(c.named ? named : QStringLiteral("Untitled")));
                EXPECT_EQ(dialogs.last().title, QStringLiteral("Quillo"));
                EXPECT_EQ(dialogs.last().style, YesNoCancelExclamation);
            }
            if (viaClose) {
                EXPECT_EQ(closed, !c.asked);
            }
        }
    }
}

TEST_F(PromptTest, YesThatDoesNotSaveStopsNewOpenAndClosing) {
    // Cancelled Save As, and a failed write, leave the text where it was.
    for (int command = 0; command < 3; ++command) {
        for (bool failedWrite : {false, true}) {
            SCOPED_TRACE(command * 10 + failedWrite);
            form = std::make_unique<FormMain>(dialogs, store);
            type(QStringLiteral("unsaved"));
            dialogs.clearShown();
            dialogs.answerMsgBox(vbYes);
            if (failedWrite) {
                dialogs.answerSaveFileName(path(QStringLiteral("no/folder.txt")));
                dialogs.answerMsgBox(vbOK);
            } else {
                dialogs.answerSaveFileName(std::nullopt);
            }
            bool closed = false;
            if (command == 0) form->MenuFileNew->trigger();
            if (command == 1) form->MenuFileOpen->trigger(); // no Open dialog may follow
            if (command == 2) closed = form->close();
            EXPECT_FALSE(closed);
            EXPECT_EQ(document().text(), QStringLiteral("unsaved"));
            EXPECT_TRUE(document().TextChanged);
            EXPECT_EQ(dialogs.shown().front().title, command == 1 ? QStringLiteral("Open") : QStringLiteral("Quillo"));
        }
    }
}

TEST_F(PromptTest, YesThatSavesGoesOnAndNoDiscards) {
    const QString named = file(QStringLiteral("keep.js"), "old");
    ASSERT_TRUE(form->OpenFile(named));
    type(QStringLiteral("saved first"));
    dialogs.answerMsgBox(vbYes);
    form->MenuFileNew->trigger();
    EXPECT_EQ(contents(named), QByteArray("saved first"));
    EXPECT_EQ(document().text(), QString());

    type(QStringLiteral("dropped"));
    dialogs.answerMsgBox(vbNo);
    EXPECT_TRUE(form->close());
}

TEST_F(PromptTest, NewClearsTheDocumentAndKeepsTheLanguageAndList) {
    const QString js = file(QStringLiteral("a.js"), "alert(1)");
    ASSERT_TRUE(form->OpenFile(js));
    form->MenuFileNew->trigger();
    EXPECT_EQ(document().text(), QString());
    EXPECT_EQ(document().CurrentFile, QStringLiteral("Untitled"));
    EXPECT_FALSE(document().TextChanged); // the clearing edit does not count
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Untitled - Quillo 1.3"));
    EXPECT_TRUE(form->MenuLanguageJScript->isChecked());
    EXPECT_EQ(recentEntries(), std::vector<QString>{js});

    // A new document is saved as UTF-8 with LF, whatever the last file used.
    const QString crlf = file(QStringLiteral("crlf.txt"), "a\r\nb");
    ASSERT_TRUE(form->OpenFile(crlf));
    form->MenuFileNew->trigger();
    type(QStringLiteral("\u00E9\nx"));
    const QString fresh = path(QStringLiteral("fresh.txt"));
    dialogs.answerSaveFileName(fresh);
    form->MenuFileSave->trigger();
    EXPECT_EQ(contents(fresh), QByteArray("\xC3\xA9\nx"));
}

TEST_F(RecentFilesTest, AddingMovingAndMerging) {
    std::vector<QString> names;
    for (int i = 0; i < 5; ++i) names.push_back(file(QStringLiteral("f%1.txt").arg(i), "x"));
    EXPECT_FALSE(form->MenuFileSeparator1->isVisible());
    EXPECT_EQ(form->MenuFileMRU.size(), 1u); // items are created when first needed
    for (const QString& name : names) ASSERT_TRUE(form->OpenFile(name));
    EXPECT_EQ(recentEntries(), (std::vector<QString>{names[4], names[3], names[2], names[1]}));
    EXPECT_EQ(form->MenuFileMRU.size(), 4u);
    EXPECT_TRUE(form->MenuFileSeparator1->isVisible());
    for (QAction* item : form->MenuFileMRU) EXPECT_TRUE(item->isVisible());

    // Choosing the third entry opens it and moves it to the top.
    form->MenuFileMRU[2]->trigger();
    EXPECT_EQ(document().CurrentFile, names[2]);
    EXPECT_EQ(recentEntries(), (std::vector<QString>{names[2], names[4], names[3], names[1]}));

    // One entry whatever the letter case; the newest spelling wins.
    recent().AddRecentFile(QStringLiteral("C:\\A.VBS"));
    recent().AddRecentFile(QStringLiteral("c:\\a.vbs"));
    EXPECT_EQ(recentEntries(), (std::vector<QString>{QStringLiteral("c:\\a.vbs"), names[2], names[4], names[3]}));
    EXPECT_EQ(form->MenuFileMRU[0]->text(), QStringLiteral("c:\\a.vbs"));

    // Removing a middle entry keeps the order of the rest; a name not listed changes nothing.
    recent().RemoveRecentFile(names[4]);
    recent().RemoveRecentFile(QStringLiteral("not listed"));
    EXPECT_EQ(recentEntries(), (std::vector<QString>{QStringLiteral("c:\\a.vbs"), names[2], names[3]}));
    EXPECT_FALSE(form->MenuFileMRU[3]->isVisible());

    // A path with "&" shows it as it is.
    recent().AddRecentFile(QStringLiteral("/a&b.js"));
    EXPECT_EQ(recent().entry(0), QStringLiteral("/a&b.js"));
    EXPECT_EQ(form->MenuFileMRU[0]->text(), QStringLiteral("/a&&b.js"));
}

TEST_F(RecentFilesTest, RemovingTheOnlyEntryHidesTheSeparator) {
    recent().AddRecentFile(QStringLiteral("/only.txt"));
    EXPECT_TRUE(form->MenuFileSeparator1->isVisible());
    recent().RemoveRecentFile(QStringLiteral("/ONLY.TXT"));
    EXPECT_EQ(recent().MRULast, -1);
    EXPECT_FALSE(form->MenuFileSeparator1->isVisible());
    EXPECT_FALSE(form->MenuFileMRU[0]->isVisible());
    recent().AddRecentFile(QStringLiteral("/next.txt"));
    EXPECT_TRUE(form->MenuFileSeparator1->isVisible());
    EXPECT_TRUE(form->MenuFileMRU[0]->isVisible());
}

TEST_F(RecentFilesTest, LoadAndSaveThroughTheStore) {
    const auto write = [&](int i, const char* value) {
        store.write(QStringLiteral("Brenholt"), QStringLiteral("Tarka"), QStringLiteral("MRUFile%1").arg(i),
                    QString::fromUtf8(value));
    };
    const auto stored = [&](int i) {
        return store.read(QStringLiteral("Brenholt"), QStringLiteral("Tarka"), QStringLiteral("MRUFile%1").arg(i),
                          QStringLiteral("<absent>"));
    };
    const struct {
        std::vector<const char*> values;
        std::vector<QString> loaded;
    } cases[] = {
        {{"a", "", "c"}, {QStringLiteral("a")}},
        {{"a", "b", "c", "d", "e"}, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}},
        {{"x", "X", "y"}, {QStringLiteral("x"), QStringLiteral("y")}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values.size());
        store = MemorySettingsStore();
        for (size_t i = 0; i < c.values.size(); ++i) write(int(i), c.values[i]);
        form = std::make_unique<FormMain>(dialogs, store);
        EXPECT_EQ(recentEntries(), c.loaded);
        EXPECT_EQ(form->MenuFileSeparator1->isVisible(), !c.loaded.empty());
    }

    // Four entries shrink to three in one run: the stale fourth key stays and comes back.
    store = MemorySettingsStore();
    for (int i = 0; i < 4; ++i) write(i, QStringLiteral("/f%1").arg(i).toUtf8().constData());
    form = std::make_unique<FormMain>(dialogs, store);
    recent().RemoveRecentFile(QStringLiteral("/f1"));
    ASSERT_TRUE(form->close());
    EXPECT_EQ(stored(0), QStringLiteral("/f0"));
    EXPECT_EQ(stored(1), QStringLiteral("/f2"));
    EXPECT_EQ(stored(2), QStringLiteral("/f3"));
    EXPECT_EQ(stored(3), QStringLiteral("/f3"));
    form = std::make_unique<FormMain>(dialogs, store);
    EXPECT_EQ(recentEntries(), (std::vector<QString>{QStringLiteral("/f0"), QStringLiteral("/f2"), QStringLiteral("/f3")}));
}

TEST_F(RecentFilesTest, ChoosingAnEntryThatCannotBeOpened) {
    const QString fifo = path(QStringLiteral("pipe.js"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString missing = path(QStringLiteral("gone.vbs"));
    const QString tooLarge = tooLargeFile(QStringLiteral("huge.txt"));
    const struct {
        QString entry;
        QString message;
        int answer;
    } cases[] = {
        {missing, missing + QStringLiteral(" could not be found."), vbNo},
        {missing, missing + QStringLiteral(" could not be found."), vbYes},
        {fifo, fifo + QStringLiteral(" could not be found."), vbNo},
        {tooLarge, tooLarge + QStringLiteral(" is invalid and cannot be opened."), vbNo},
        {tooLarge, tooLarge + QStringLiteral(" is invalid and cannot be opened."), vbYes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString() + (c.answer == vbYes ? " Yes" : " No"));
        form = std::make_unique<FormMain>(dialogs, store);
        recent().AddRecentFile(QStringLiteral("/other"));
        recent().AddRecentFile(c.entry);
        dialogs.clearShown();
        dialogs.answerMsgBox(c.answer);
        form->MenuFileMRU[0]->trigger();
        EXPECT_EQ(dialogs.last().text,
                  c.message + QStringLiteral("\r\n\r\nWould you like to remove this item from the menu?"));
        EXPECT_EQ(dialogs.last().title, QStringLiteral("Open"));
        EXPECT_EQ(dialogs.last().style, YesNoQuestion);
        const std::vector<QString> left = c.answer == vbYes ? std::vector<QString>{QStringLiteral("/other")}
                                                            : std::vector<QString>{c.entry, QStringLiteral("/other")};
        EXPECT_EQ(recentEntries(), left);
        EXPECT_EQ(document().CurrentFile, QStringLiteral("Untitled"));
    }
}

TEST_F(RecentFilesTest, ChoosingAnEntryAsksAboutUnsavedChangesFirst) {
    const QString entry = file(QStringLiteral("recent.txt"), "from the list");
    recent().AddRecentFile(entry);
    type(QStringLiteral("unsaved"));
    dialogs.answerMsgBox(vbCancel);
    form->MenuFileMRU[0]->trigger();
    EXPECT_EQ(dialogs.last().text, savePrompt(QStringLiteral("Untitled")));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Open"));
    EXPECT_EQ(document().text(), QStringLiteral("unsaved"));

    dialogs.answerMsgBox(vbNo);
    form->MenuFileMRU[0]->trigger();
    EXPECT_EQ(document().text(), QStringLiteral("from the list"));
    EXPECT_EQ(document().CurrentFile, entry);
}

} // namespace
} // namespace quillo
