// Document state and OpenFile against a stand-in main window.

#include "src/document/Document.h"
#include "src/document/DocumentHost.h"
#include "src/editor/DocumentBox.h"
#include "tests/src/support/QtPrinters.h"
#include "tests/src/support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace quillo {
namespace {

// Records every call in order: "caption", "language", "undo:<text>", "recent:<name>".
class FakeHost : public DocumentHost {
public:
    DocumentBox& activeBox() override { return box; }
    void setCaption(const QString& text) override {
        caption = text;
        events.push_back("caption");
    }
    void runLanguageCommand(Language language) override {
        languages.push_back(language);
        events.push_back("language");
    }
    Language checkedLanguage() const override { return Language::VBScript; }
    void resetUndoSnapshot(const QString& text) override { events.push_back("undo:" + text.toStdString()); }
    void addRecentFile(const QString& name) override {
        events.push_back("recent:" + name.toStdString());
        // The flag is already cleared when the list takes the name.
        EXPECT_FALSE(changedFlag && *changedFlag);
    }
    QWidget* dialogOwner() override { return nullptr; }

    DocumentBox box{0};
    QString caption;
    std::vector<Language> languages;
    std::vector<std::string> events;
    const bool* changedFlag = nullptr;
};

class DocumentTest : public ::testing::Test {
protected:
    QString makeFile(const QString& name, const QByteArray& bytes) { return writeTestFile(folder, name, bytes); }

    void SetUp() override { host.changedFlag = &document.TextChanged; }

    FakeHost host;
    Document document{host};
    QTemporaryDir folder;
};

TEST_F(DocumentTest, StartsUntitledAndUnchanged) {
    EXPECT_EQ(document.CurrentFile, QStringLiteral("Untitled"));
    EXPECT_FALSE(document.TextChanged);
    document.makeUntitled();
    EXPECT_EQ(host.caption, QStringLiteral("Untitled - Quillo 1.3"));
    EXPECT_TRUE(host.languages.empty());
}

TEST_F(DocumentTest, OpenFileLoadsWithoutRaisingTheChangeHandler) {
    int changes = 0;
    QObject::connect(&host.box, &DocumentBox::change, [&] { ++changes; });
    const struct {
        const char* name;
        QByteArray bytes;
        const char* text;
        Language language;
    } cases[] = {
        {"a.vbs", "MsgBox 1\r\nMsgBox 2\r\n", "MsgBox 1\nMsgBox 2\n", Language::VBScript},
        {"b.JS", "alert(1)\nalert(2)", "alert(1)\nalert(2)", Language::JScript},
        {"empty.txt", "", "", Language::Text},
        {"old mac", "a\rb", "a\nb", Language::Text},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = makeFile(QString::fromUtf8(c.name), c.bytes);
        document.TextChanged = true;
        host.languages.clear();
        host.events.clear();
        ASSERT_TRUE(document.OpenFile(path));
        const std::vector<std::string> order = {"language", "caption", "undo:" + std::string(c.text),
                                                "recent:" + path.toStdString()};
        EXPECT_EQ(host.events, order);
        EXPECT_EQ(host.box.text().toStdString(), c.text);
        EXPECT_EQ(document.CurrentFile, path);
        EXPECT_FALSE(document.TextChanged);
        EXPECT_EQ(host.caption, QString::fromUtf8(c.name) + QStringLiteral(" - Quillo 1.3"));
        EXPECT_EQ(host.languages, std::vector<Language>{c.language});
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(DocumentTest, FailedOpenChangesNothing) {
    host.box.setTextDirect(QStringLiteral("keep me"));
    document.CurrentFile = QStringLiteral("/keep.vbs");
    document.TextChanged = true;
    host.caption = QStringLiteral("caption");
    const QString fifo = folder.filePath(QStringLiteral("pipe.vbs"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString unreadable = makeFile(QStringLiteral("secret.vbs"), "x");
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);
    const QString names[] = {QString(), folder.filePath(QStringLiteral("missing.vbs")), folder.path(),
                             fifo, QStringLiteral("/dev/zero"), unreadable};
    for (const QString& name : names) {
        if (name == unreadable && ::geteuid() == 0) continue;
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(document.OpenFile(name));
        EXPECT_EQ(host.box.text(), QStringLiteral("keep me"));
        EXPECT_EQ(document.CurrentFile, QStringLiteral("/keep.vbs"));
        EXPECT_TRUE(document.TextChanged);
        EXPECT_EQ(host.caption, QStringLiteral("caption"));
        EXPECT_TRUE(host.events.empty());
    }
}

} // namespace
} // namespace quillo
