// Document state and OpenFile against a stand-in main window.

#include "src/document/Document.h"
#include "src/document/DocumentHost.h"
#include "src/editor/DocumentBox.h"
#include "tests/src/support/QtPrinters.h"
#include "tests/src/support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quillo {
namespace {

class FakeHost : public DocumentHost {
public:
    DocumentBox& activeBox() override { return box; }
    void setCaption(const QString& text) override { caption = text; }
    void runLanguageCommand(Language language) override { languages.push_back(language); }

    DocumentBox box{0};
    QString caption;
    std::vector<Language> languages;
};

class DocumentTest : public ::testing::Test {
protected:
    QString makeFile(const QString& name, const QByteArray& bytes) { return writeTestFile(folder, name, bytes); }

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
        ASSERT_TRUE(document.OpenFile(path));
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
    const QString names[] = {QString(), folder.filePath(QStringLiteral("missing.vbs")), folder.path()};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(document.OpenFile(name));
        EXPECT_EQ(host.box.text(), QStringLiteral("keep me"));
        EXPECT_EQ(document.CurrentFile, QStringLiteral("/keep.vbs"));
        EXPECT_TRUE(document.TextChanged);
        EXPECT_EQ(host.caption, QStringLiteral("caption"));
        EXPECT_TRUE(host.languages.empty());
    }
}

} // namespace
} // namespace quillo
