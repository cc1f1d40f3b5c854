#include "platform/ui/qt_dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace korvanta::platform::ui {
namespace {

QString startPath(const FileDialogRequest& request) {
    const QString name = request.fileName.contains(QLatin1Char('*')) ? QString() : request.fileName;
    if (request.initialDirectory.isEmpty()) {
        return name;
    }
    return QDir(request.initialDirectory).filePath(name);
}

} // namespace

QString QtDialogs::toolkitFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        out << parts[i] + QStringLiteral(" (") +
                   patterns.replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> QtDialogs::saveFile(const FileDialogRequest& request) {
    const QString path = QFileDialog::getSaveFileName(m_parent, request.caption, startPath(request),
                                                      toolkitFilter(request.filter));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> QtDialogs::openFile(const FileDialogRequest& request) {
    const QString path = QFileDialog::getOpenFileName(m_parent, request.caption, startPath(request),
                                                      toolkitFilter(request.filter));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QColor> QtDialogs::chooseColor(const QColor& initial) {
    QColorDialog dialog(initial, m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedColor();
}

bool QtDialogs::choosePrinter(QPrinter& printer, const PrintDialogRequest& request) {
    QPrintDialog dialog(&printer, m_parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, request.pageNumbers);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, request.selection);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (request.warning && !printer.isValid()) {
        QMessageBox::warning(
            m_parent, QStringLiteral("Uwaga!"),
            QStringLiteral("Drukarka %1 nie jest zainstalowana.").arg(printer.printerName()));
        return false;
    }
    return true;
}

} // namespace korvanta::platform::ui
