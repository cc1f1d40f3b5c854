#pragma once
// The line operations of the log memo Memo1 that the live steps' line limit uses.

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace korvanta::monitor::ui {

// Lines the memo holds: 0 when it is empty.
inline int lineCount(const QPlainTextEdit& memo) {
    return memo.document()->isEmpty() ? 0 : memo.blockCount();
}

inline void removeFirstLine(QPlainTextEdit& memo) {
    QTextCursor cursor(memo.document());
    cursor.movePosition(QTextCursor::Start);
    if (!cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor)) {
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

} // namespace korvanta::monitor::ui
