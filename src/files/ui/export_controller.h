#pragma once
// The export commands of the window: the chart and the text view saved as text, the window
// copied to the clipboard (the chart panel copies its chart itself), data files handed to the
// spreadsheet program, the data directory shown in the file manager, and the main chart printed.

#include "acquisition/settings_record.h"
#include "platform/services.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class QMainWindow;
class QPlainTextEdit;

namespace korvanta::chart::ui {
class ChartPanel;
}
namespace korvanta::monitor::ui {
class ProgramSettingsPage;
}

namespace korvanta::files::ui {

class FileBrowserPanel;

struct ExportPages {
    chart::ui::ChartPanel& chart;                      // Chart1 and its tool bar
    monitor::ui::ProgramSettingsPage& programSettings; // "Opis pliku"
    QPlainTextEdit& log;                               // Memo1
    FileBrowserPanel& files;                           // Panel1 with Edit1 and PopupMenu5
    QMainWindow& window;                               // copied whole by "Copy all "
};

class ExportController : public QObject {
    Q_OBJECT
public:
    ExportController(acquisition::SettingsRecord& settings, const platform::Services& services,
                     ExportPages pages, QObject* parent);

    void ToolButton8Click();  // save the chart as text
    void ToolButton20Click(); // save the text view with a header
    void Saveas1Click();      // save the text view
    void Copyall1Click();     // the window as a picture on the clipboard
    void WstawdoMSExcel1Click();
    void WstawdoOpenOffice1Click();
    void MSExplorer1Click();
    void Printchart1Click();

private:
    // SaveTextFileDialog1; the chosen file's directory becomes the data directory.
    std::optional<QString> askTextFile();
    QString fileDescription() const;
    // Writes the lines, then the companion settings file; a failure is shown. False when the
    // text file could not be written.
    bool writeWithCompanion(const QString& path, const QStringList& lines);
    bool writeLines(const QString& path, const QStringList& lines);
    QStringList chartLines() const;
    void handOff(bool openOffice);

    acquisition::SettingsRecord& m_settings;
    platform::Services m_services;
    ExportPages m_pages;
};

} // namespace korvanta::files::ui
