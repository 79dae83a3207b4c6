// File names, captions and the language a name stands for.

#include "src/document/DocumentName.h"
#include "tests/src/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(DocumentName, GetFileNameFromPathSplitsAtTheLastBackslashOnly) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\a\\b.vbs", "b.vbs"}, {"b.vbs", "b.vbs"},     {"C:\\a\\", ""},
        {"", ""},                  {"C:/a/b.js", "C:/a/b.js"}, {"C:b.js", "C:b.js"},
        {"\\", ""},                {"\\\\server\\share\\x y.txt", "x y.txt"},
        {"/home/u/test.vbs", "/home/u/test.vbs"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFileNameFromPath(QString::fromUtf8(c.path)).toStdString(), c.name) << c.path;
}

TEST(DocumentName, CaptionNameLeavesOutTheFolder) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\Scripts\\test.vbs", "test.vbs"}, {"/home/u/test.vbs", "test.vbs"}, {"test.vbs", "test.vbs"},
        {"/home/u/", ""}, {"/home/back\\slash.js", "slash.js"}, {"./x y.txt", "x y.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(documentNameFromPath(QString::fromUtf8(c.path)).toStdString(), c.name) << c.path;
}

TEST(DocumentName, CaptionIsNameDashTitleAndVersion) {
    EXPECT_EQ(documentCaption(QStringLiteral("Untitled")), QStringLiteral("Untitled - Quillo 1.3"));
    EXPECT_EQ(documentCaption(GetFileNameFromPath(QStringLiteral("C:\\Scripts\\test.vbs"))),
              QStringLiteral("test.vbs - Quillo 1.3"));
    EXPECT_EQ(documentCaption(QString()), QStringLiteral(" - Quillo 1.3"));
}

TEST(DocumentName, LanguageFromNameNeedsANameLongerThanTheExtension) {
    const struct {
        const char* name;
        std::optional<Language> language;
    } cases[] = {
        {"Untitled", std::nullopt},
        {"untitled", Language::Text},
        {"TEST.VBS", Language::VBScript},
        {"a.vbs", Language::VBScript},
        {".vbs", Language::Text},
        {"x.Js", Language::JScript},
        {"a.js", Language::JScript},
        {".js", Language::Text},
        {"x.json", Language::Text},
        {"x.jse", Language::Text},
        {"x.vbe", Language::Text},
        {"x.txt", Language::Text},
        {"C:\\dir.vbs\\name", Language::Text},
        {"", Language::Text},
    };
    for (const auto& c : cases) EXPECT_EQ(languageFromName(QString::fromUtf8(c.name)), c.language) << c.name;
}

} // namespace
} // namespace quillo
