#include "files/ui/text_view_fill.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace korvanta::files::ui {
namespace {

// Numbered lines of 20 characters, enough for three pieces.
QString numberedLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        lines << QString::number(i).rightJustified(20, QLatin1Char('0'));
    }
    return lines.join(QLatin1Char('\n'));
}

TEST(TextViewFillTest, PiecesAddUpToTheTextAndACancelLeavesWholeLines) {
    const int count = static_cast<int>(2 * kTextViewPiece / 21) + 1000;
    const QString text = numberedLines(count);
    QPlainTextEdit view;
    std::vector<qint64> seen;
    EXPECT_TRUE(fillTextView(view, text, [&](qint64 done, qint64 total) {
        EXPECT_EQ(total, text.size());
        seen.push_back(done);
        return true;
    }));
    EXPECT_EQ(view.toPlainText(), text);
    EXPECT_EQ(view.blockCount(), count);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen.back(), text.size());
    EXPECT_TRUE(view.document()->isUndoRedoEnabled());
    EXPECT_FALSE(view.document()->isUndoAvailable());

    view.clear();
    EXPECT_FALSE(fillTextView(view, text, [](qint64, qint64) { return false; }));
    const QString shown = view.toPlainText();
    // The first piece ends before the line break after kTextViewPiece characters.
    EXPECT_EQ(view.blockCount(), static_cast<int>(kTextViewPiece / 21) + 1);
    EXPECT_TRUE(text.startsWith(shown + QLatin1Char('\n')));
    EXPECT_EQ(shown.section(QLatin1Char('\n'), -1).size(), 20);

    // Without a callback everything goes in; an empty text adds nothing.
    view.clear();
    EXPECT_TRUE(fillTextView(view, QStringLiteral("a\nb"), {}));
    EXPECT_TRUE(fillTextView(view, QString(), {}));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("a\nb"));
}

} // namespace
} // namespace korvanta::files::ui
