#include "files/ui/text_view_fill.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace korvanta::files::ui {

bool fillTextView(QPlainTextEdit& view, const QString& text, const LoadProgress& progress) {
    QTextDocument* document = view.document();
    // A file's text is no edit to undo, and an undo record of it would double its memory.
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    bool whole = true;
    for (qsizetype at = 0; at < text.size();) {
        // Each piece ends before a line break, so a cancel leaves whole lines and no empty one.
        qsizetype stop = at + kTextViewPiece < text.size()
                             ? text.indexOf(QLatin1Char('\n'), at + kTextViewPiece)
                             : text.size();
        if (stop < 0) {
            stop = text.size();
        }
        cursor.insertText(text.mid(at, stop - at));
        at = stop;
        if (progress && !progress(at, text.size())) {
            whole = at >= text.size();
            break;
        }
    }
    document->setUndoRedoEnabled(undo);
    return whole;
}

} // namespace korvanta::files::ui
