#pragma once
// File, colour and print dialogs, behind one seam so tests can script the answers.

#include <QColor>
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace korvanta::platform {

struct FileDialogRequest {
    QString caption;
    QString initialDirectory;
    QString fileName;
    QString filter; // in the "description|pattern|description|pattern" form
};

// What the print dialog lets the user choose beside the printer.
struct PrintDialogRequest {
    bool pageNumbers = false; // a range of page numbers
    bool selection = false;   // the selection only
    bool warning = false;     // a printer that is not installed is reported before printing
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    // The colour the user confirmed, or nothing when the dialog was cancelled (a colour only
    // browsed to is not handed back).
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    // Sets `printer` up as the user chose; false when the dialog was cancelled.
    virtual bool choosePrinter(QPrinter& printer, const PrintDialogRequest& request) = 0;
};

} // namespace korvanta::platform
