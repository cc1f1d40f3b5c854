#pragma once
// The main window: the shell that composes every subsystem's pages around one monitoring
// session, and runs the start-up sequence, the configuration files and the three closing paths.

#include "platform/services.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;
class QWidget;

namespace korvanta::chart::ui {
class ChartPanel;
class ChannelEditorPage;
} // namespace korvanta::chart::ui
namespace korvanta::analysis::ui {
class AnalysisController;
struct AnalysisSources;
class AnalysisPage;
} // namespace korvanta::analysis::ui
namespace korvanta::bench::ui {
class BenchController;
class BenchSettingsPage;
class BenchTestsPage;
class TestRecordController;
class TForm9;
class TForm10;
} // namespace korvanta::bench::ui
namespace korvanta::files::ui {
class ExportController;
class FileBrowserPanel;
class FileLoadController;
class ReportPanel;
} // namespace korvanta::files::ui
namespace korvanta::about::ui {
class TForm5;
}

namespace korvanta::monitor {
class MonitoringSession;
struct Rates;
} // namespace korvanta::monitor
namespace korvanta::monitor::ui {
class AdvancedPage;
class MonitoringController;
class ObjectPage;
class ProgramSettingsPage;
class SystemPropertiesPage;
} // namespace korvanta::monitor::ui

namespace korvanta::app::ui {

class TForm34 : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up sequence. `arguments` are the command-line arguments after the program
    // name; `programPath` names the executable (its file name gives the caption and the name of
    // the settings file).
    TForm34(platform::Services services, QStringList arguments, QString programPath,
            QWidget* parent = nullptr);
    ~TForm34() override;

    // The dialogs, created by the program entry after this window.
    void setDialogs(about::ui::TForm5* about, bench::ui::TForm9* testParameters,
                    bench::ui::TForm10* testRecord);

    // Closing paths.
    void Exit1Click();
    void Close1Click();
    void Closeandexit1Click();
    // A termination signal closes the window through its frame path; with nobody there to answer
    // a message box, a failed save is reported on standard error instead.
    void closeOnTermination();
    // Attaches the data table again (every activation of the window).
    void FormActivate();
    // "Serwis": switches between operator and service mode.
    void Button11Click();
    // "Zapisz konfig." / "Otwórz konfig.".
    void Button5Click();
    void Button4Click();
    // Live-value slots of the "Obiekt" tab.
    void Timer3Timer();

    // The live state of the run, and the monitoring cycle on this window's controls.
    monitor::MonitoringSession& session() { return *m_session; }
    monitor::ui::MonitoringController& monitoring() { return *m_monitoring; }
    bench::ui::BenchController& bench() { return *m_bench; }
    analysis::ui::AnalysisController& analysis() { return *m_analysis; }
    const QString& startDirectory() const { return m_startDirectory; }
    QString settingsFilePath() const;
    QString statusPanelText(int panel) const;
    void setStatusPanelText(int panel, const QString& text);
    // The nine message texts stored at start-up (index 0..8).
    QString messageText(int index) const {
        return m_messageTexts.at(static_cast<std::size_t>(index));
    }
    bool serviceMode() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class ClosingPath { Exit, Close, CloseAndExit };

    void buildLayout();
    void buildMenus();
    void buildToolBar1();
    void buildStatusBar();
    void connectPages();
    void runStartup();
    void loadSettingsFile();
    void applyGeometryAndPanelSizes();
    void showFileListDirectory();
    void applyPanelSizes();
    void setSidePanelWidth(int panelWidth);
    void setPropertiesPanelWidth(int panelWidth);
    void applyAttachment();
    void showRates(const monitor::Rates& rates);
    void applyOperatorMode();
    void setMonitoringButtonsVisible(bool visible);
    void setServiceTabsVisible(bool visible);
    analysis::ui::AnalysisSources analysisSources();
    void storeMessageTexts();
    void storeGeometry();
    void storePanelSizes();
    void runClosingPath(ClosingPath path);
    void writeSettingsFile();
    void ToolButton1Click();
    void setPropertiesPanelShown(bool shown);
    void SpeedButton1Click(bool expand);
    void SpeedButton3Click(bool expand);
    void setChartPanelHeight(int panelHeight);
    void applyConfiguration();
    void showTabOf(QWidget* page, bool visible);
    bool guard(const std::function<void()>& handler);

    platform::Services m_services;
    QStringList m_arguments;
    QString m_programPath;
    QString m_startDirectory;
    QString m_settingsFileName;
    QString m_settingsDirectory; // see acquisition::settingsDirectoryFor
    bool m_closing = false;
    bool m_closingOnTermination = false;

    std::unique_ptr<monitor::MonitoringSession> m_session;
    std::array<QString, 9> m_messageTexts;

    about::ui::TForm5* m_about = nullptr;
    bench::ui::TForm9* m_testParameters = nullptr;

    // Controls named in the window's description (member name = objectName).
    QMenuBar* MainMenu1 = nullptr;                   // main menu
    QAction* Open1 = nullptr;                        // "Otwórz"
    QAction* Saveas1 = nullptr;                      // "Zapisz jako..."
    QAction* Printchart1 = nullptr;                  // "Drukuj wykres"
    QAction* Exit1 = nullptr;                        // "Zamknij" (frame path)
    QAction* Oprogramie1 = nullptr;                  // "O programie"
    QLabel* StatusPanel0 = nullptr;                  // status bar panel 0 (width 150)
    QLabel* StatusPanel1 = nullptr;                  // status bar panel 1 (width 500)
    QSplitter* Splitter1 = nullptr;                  // between the side panel and the page control
    QWidget* Panel23 = nullptr;                      // side panel: file browser or report panel
    files::ui::FileBrowserPanel* Panel1 = nullptr;   // file browser
    files::ui::ReportPanel* Panel24 = nullptr;       // analysis report panel with Memo3
    QTabWidget* PageControl2 = nullptr;              // "Pomiary" / "Analiza"
    QWidget* TabSheet5 = nullptr;                    // "Pomiary"
    analysis::ui::AnalysisPage* TabSheet6 = nullptr; // "Analiza"
    QWidget* Panel4 = nullptr;                       // left settings panel holding PageControl1
    QTabWidget* PageControl1 = nullptr;              // the seven settings tab sheets
    monitor::ui::ObjectPage* TabSheet1 = nullptr;    // "Obiekt"
    monitor::ui::SystemPropertiesPage* TabSheet2 = nullptr; // "Właściwości systemu"
    chart::ui::ChannelEditorPage* TabSheet3 = nullptr;      // "Ustawienia kanałów"
    monitor::ui::ProgramSettingsPage* TabSheet4 = nullptr;  // "Ustawienia programu"
    monitor::ui::AdvancedPage* TabSheet11 = nullptr;        // "Zaawansowane"
    bench::ui::BenchSettingsPage* TabSheet12 = nullptr;     // "Ustawienia"
    bench::ui::BenchTestsPage* TabSheet13 = nullptr;        // "Badania"
    chart::ui::ChartPanel* Panel3 = nullptr;                // chart panel with Chart1 and ToolBar2
    QWidget* Panel6 = nullptr;                              // log panel: ToolBar1, Label35, Memo1
    QWidget* ToolBar1 = nullptr;                            // monitoring tool bar: a row of buttons
    QToolButton* ToolButton1 = nullptr;                     // measurement properties on/off
    QToolButton* ToolButton2 = nullptr;                     // "Monitorowanie"
    QToolButton* ToolButton3 = nullptr;                     // separator
    QToolButton* ToolButton4 = nullptr;                     // "Stop monitorowania"
    QToolButton* ToolButton5 = nullptr;                     // separator
    QToolButton* ToolButton6 = nullptr;                     // "Jeden pomiar"
    QToolButton* ToolButton15 = nullptr;                    // separator before the text export
    QToolButton* ToolButton20 = nullptr;                    // "Zapisz jako tekst"
    QLabel* Label35 = nullptr;                              // column header above the log
    QPlainTextEdit* Memo1 = nullptr;                        // log / report text view
    QTimer* Timer3 = nullptr; // live-value slots, 500 ms, always running

    monitor::ui::MonitoringController* m_monitoring = nullptr;
    bench::ui::BenchController* m_bench = nullptr;
    bench::ui::TestRecordController* m_testRecord = nullptr;
    files::ui::ExportController* m_export = nullptr;
    files::ui::FileLoadController* m_fileLoad = nullptr;
    analysis::ui::AnalysisController* m_analysis = nullptr;
    QSplitter* m_chartSplitter = nullptr; // between the chart panel and the log panel
};

} // namespace korvanta::app::ui
