// The text-box operations of DocumentBox.

#include "src/editor/DocumentBox.h"
#include "tests/src/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(DocumentBox, DirectTextRaisesNoChangeButEditsDo) {
    DocumentBox box(0);
    std::vector<int> changes;
    QObject::connect(&box, &DocumentBox::change, [&](int index) { changes.push_back(index); });
    box.setTextDirect(QStringLiteral("loaded"));
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(box.text(), QStringLiteral("loaded"));
    box.setText(QStringLiteral("typed"));
    box.setSelStart(5);
    box.setSelText(QStringLiteral("!"));
    EXPECT_EQ(box.text(), QStringLiteral("typed!"));
    EXPECT_EQ(changes, (std::vector<int>{0, 0}));

    DocumentBox wrapped(1);
    QObject::connect(&wrapped, &DocumentBox::change, [&](int index) { changes.push_back(index); });
    wrapped.setText(QStringLiteral("x"));
    EXPECT_EQ(changes.back(), 1);
    EXPECT_EQ(wrapped.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(box.lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(DocumentBox, SelectionByStartAndLength) {
    DocumentBox box(0);
    box.setTextDirect(QStringLiteral("one\ntwo\nthree"));
    const struct {
        int start, length;
        int selStart, selLength;
        const char* selText;
    } cases[] = {
        {0, 0, 0, 0, ""},  {0, 3, 0, 3, "one"},     {2, 4, 2, 4, "e\ntw"},
        {8, 99, 8, 5, "three"}, {-5, 1, 0, 1, "o"}, {99, 1, 13, 0, ""},
    };
    for (const auto& c : cases) {
        box.setSelStart(c.start);
        EXPECT_EQ(box.selLength(), 0);
        box.setSelLength(c.length);
        EXPECT_EQ(box.selStart(), c.selStart) << c.start;
        EXPECT_EQ(box.selLength(), c.selLength) << c.start;
        EXPECT_EQ(box.selText().toStdString(), c.selText) << c.start;
    }
    box.setSelStart(4);
    box.setSelLength(3);
    box.setSelText(QStringLiteral("2"));
    EXPECT_EQ(box.text(), QStringLiteral("one\n2\nthree"));
}

TEST(DocumentBox, LineQueries) {
    DocumentBox box(0);
    box.setTextDirect(QStringLiteral("ab\n\ncde\n"));
    const struct {
        int offset, line;
    } lines[] = {{0, 0}, {2, 0}, {3, 1}, {4, 2}, {7, 2}, {8, 3}, {100, 3}};
    for (const auto& c : lines) EXPECT_EQ(box.lineFromChar(c.offset), c.line) << c.offset;

    const struct {
        int line, index;
    } starts[] = {{0, 0}, {1, 3}, {2, 4}, {3, 8}, {4, -1}, {1000, -1}};
    for (const auto& c : starts) EXPECT_EQ(box.lineIndex(c.line), c.index) << c.line;

    box.setSelStart(5);
    box.setSelLength(3);
    EXPECT_EQ(box.lineFromChar(-1), 2);
    EXPECT_EQ(box.lineIndex(-1), 4);
}

TEST(DocumentBox, StartsWithTheDocumentFont) {
    DocumentBox box(0);
    EXPECT_EQ(box.font().family(), QStringLiteral("Lucida Console"));
    EXPECT_DOUBLE_EQ(box.font().pointSizeF(), 9.75);
    EXPECT_FALSE(box.font().bold());
    EXPECT_FALSE(box.font().italic());
}

} // namespace
} // namespace quillo
