#pragma once
// A long text put into a text view piece by piece, so a progress dialog can follow and cancel it.

#include "files/data_file_loader.h"

#include <QString>

class QPlainTextEdit;

namespace korvanta::files::ui {

// Characters put into the view at a time, between two calls of the progress callback.
inline constexpr qsizetype kTextViewPiece = 1 << 20;

// Appends the text ('\n' between lines) to the view. Each piece ends before a line break, so when
// the callback stops the filling the view holds whole lines. True when the whole text went in.
bool fillTextView(QPlainTextEdit& view, const QString& text, const LoadProgress& progress);

} // namespace korvanta::files::ui
