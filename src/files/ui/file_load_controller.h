#pragma once
// Measurement files onto the window: the Open dialog, the plot loader (wczytajWykres) with its
// variant for the plotted channels, the raw-text loader (wczytajWykresDoMemo) with the companion
// settings, and the double click in the file list that runs both.

#include "acquisition/settings_record.h"
#include "files/data_file_loader.h"
#include "platform/services.h"

#include <QObject>
#include <QString>
#include <functional>

class QCheckBox;
class QPlainTextEdit;
class QWidget;

namespace korvanta::chart::ui {
class ChartPanel;
enum class FileSeries;
} // namespace korvanta::chart::ui

namespace korvanta::files::ui {

class FileBrowserPanel;

// The controls the loaders read and fill.
struct FileLoadPages {
    FileBrowserPanel& browser;     // Panel1 with Edit1 and FileListBox1
    chart::ui::ChartPanel& chart;  // Panel3 with Chart1 and the bar view
    QPlainTextEdit& text;          // Memo1
    const QCheckBox& refreshChart; // CheckBox5 "Odśwież wykres"
    QWidget& window;               // the owner of the progress dialog
};

class FileLoadController : public QObject {
    Q_OBJECT
public:
    FileLoadController(acquisition::SettingsRecord& settings, const platform::Services& services,
                       FileLoadPages pages, QObject* parent);

    // "Otwórz": the Open dialog, then the file loaded unless it is a ".lvm" file; the file list
    // and the data directory follow the chosen file.
    void Open1Click();
    // Double click in FileListBox1: both loaders, then the limits or the scaling.
    void FileListBox1DblClick();
    // "Otwórz zgodnie z ustawieniami": the file in Edit1, relative to the current directory,
    // showing only the plotted channels and no bars.
    void Openaccordingwithsets1Click();
    // The plot loader: the file in Edit1, in the data directory, onto Chart1.
    void wczytajWykres();
    // The raw-text loader: the companion settings of the file in Edit1, then the file into Memo1.
    void wczytajWykresDoMemo();

signals:
    // A line for status panel 1: a failed, cancelled or cut-short load.
    void statusChanged(const QString& text);
    // The companion settings file replaced the settings record; the window applies it.
    void companionSettingsLoaded();

private:
    void loadPlot(const QString& path, chart::ui::FileSeries shown, bool bars);
    LoadedFile loadOrReport(const QString& path);
    void reportLoad(const QString& path, const LoadedFile& file);
    void loadCompanionSettings(const QString& dataFilePath);
    void followChosenFile(const QString& path);
    bool guard(const std::function<void()>& handler);

    acquisition::SettingsRecord& m_settings;
    platform::Services m_services;
    FileLoadPages m_pages;
};

} // namespace korvanta::files::ui
