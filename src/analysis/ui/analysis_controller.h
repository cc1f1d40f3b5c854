#pragma once
// The behaviour of the "Analiza" tab: the analysed signal and its windows, envelope and zero;
// the spectrum with its inverse, integration and band cut; the histogram; the text files, the
// report panel and printing; and the monitoring chart's legend menu that moves a series into
// analysis or calibrates it.

#include "acquisition/settings_record.h"
#include "analysis/fftrq.h"
#include "analysis/frequency_analysis.h"
#include "analysis/ranges.h"
#include "platform/services.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QCPAbstractPlottable;
class QCPBars;
class QCPGraph;
class QCustomPlot;
class QMenu;
class QMouseEvent;
class QTabWidget;
class QTimer;

namespace korvanta::chart::ui {
class ChartPanel;
}
namespace korvanta::files::ui {
class FileBrowserPanel;
class ReportPanel;
} // namespace korvanta::files::ui

namespace korvanta::analysis::ui {

class AnalysisPage;
class TForm7;
class TForm8;

// The pages the tab works on.
struct AnalysisPages {
    AnalysisPage& page;                 // TabSheet6
    QTabWidget& pageControl;            // PageControl2, "Pomiary" first
    chart::ui::ChartPanel& monitor;     // Chart1 and its legend menu PopupMenu9
    files::ui::FileBrowserPanel& files; // Panel1
    files::ui::ReportPanel& report;     // Panel24 with Memo3
};

// What the report and the reload read from the rest of the window.
struct AnalysisSources {
    // The acquisition program's record count; nothing without a control block.
    std::function<std::optional<int>()> recordCount;
    std::function<QString()> bufferLengthText; // shown on the main window
    std::function<QString()> frequencyText;    // shown on the main window
    std::function<QString(int)> inputName;     // "W:" of measuring input n
    std::function<QString(int)> inputNote;     // "  Note:" of measuring input n
};

class AnalysisController : public QObject {
    Q_OBJECT
public:
    AnalysisController(acquisition::SettingsRecord& settings, const platform::Services& services,
                       AnalysisPages pages, AnalysisSources sources, QObject* parent);
    ~AnalysisController() override;

    void ToolButton31Click(); // forward transform
    void ToolButton42Click(); // inverse transform
    void Button9Click();      // peak in the visible spectrum
    void UpDown23Click(int channel);
    void Button6Click(); // histogram
    void RaportFFT();
    void Movetoanalysis1Click();
    // Service mode also offers "Przenieś serię" in the legend menu.
    void setMoveToAnalysisVisible(bool visible);

    TForm7& rangeDialog() const { return *m_form7; }
    TForm8& calibrationDialog() const { return *m_form8; }
    FFTRQ& fft() { return m_fft; }

private:
    // A series of Chart2 with the label text of each point.
    struct LabelledValues {
        std::vector<double> values;
        QStringList labels;
        void clear() {
            values.clear();
            labels.clear();
        }
    };

    template <typename T> T* control(const char* name) const;
    void buildSeries();
    void buildMenus();
    void connectControls();
    void connectMonitorMenu();
    void guard(const std::function<void()>& handler);
    void error(const QString& text);

    // Series and charts.
    void drawData();
    void drawUndoStore();
    void drawInverse();
    void drawSpectrum();
    void drawBand();
    void drawHistogram();
    void clearAnalysis(bool spectrumToo);
    void undoZoom(QCustomPlot& chart, std::size_t count);
    std::vector<double> visibleData() const;
    std::vector<SpectrumPoint> visibleSpectrum() const;
    void scaleChart2();
    void scaleChart3();
    void scaleChart4();
    void appendReport(const QStringList& lines);
    void showPages(int index);

    // Handlers.
    bool forward();
    void integrate(int times);
    void applyWindow(int window);
    void undoWindow();
    void envelopeClick();
    void zeroClick();
    void CheckBox5Click(bool checked);
    std::optional<int> refreshPeriod(const char* edit, const char* checkBox);
    void refreshChartTick();
    void CheckBox2Click(bool checked);
    void stopFftTimers();
    void CheckBox12Click(bool checked);
    void chart3Clicked(QCPAbstractPlottable* plottable, int index, QMouseEvent* event);
    void Button8Click();
    void rangeChosen();
    void calibrate();
    void pointsPerPage(bool doubled);
    void saveText(const QStringList& lines);
    QStringList spectrumLines() const;
    QStringList dataLines() const;
    QStringList histogramLines() const;
    QStringList reportLines() const;
    std::optional<int> shownSampleCount() const;
    QString channelLabel(int channel) const;

    acquisition::SettingsRecord& m_settings;
    platform::Services m_services;
    AnalysisPages m_pages;
    AnalysisSources m_sources;
    FFTRQ m_fft;

    QCPGraph* Series68 = nullptr; // "Data"
    QCPGraph* Series69 = nullptr; // "Data with window"
    QCPGraph* Series70 = nullptr; // "Real part (IFFT)"
    QCPGraph* Series71 = nullptr; // "Imag part (IFFT)"
    QCPGraph* Series65 = nullptr; // imaginary part
    QCPGraph* Series66 = nullptr; // real part
    QCPGraph* Series67 = nullptr; // magnitude
    QCPGraph* Series74 = nullptr; // band of the cut
    QCPBars* Series75 = nullptr;  // histogram
    QMenu* m_chart2Menu = nullptr;
    QMenu* m_chart3Menu = nullptr;
    QAction* Rectangularwindow1 = nullptr;
    QTimer* m_refreshChartTimer = nullptr; // "Odśwież wykres"
    QTimer* m_fftTimer = nullptr;          // "Refresh FFT": the spectrum
    QTimer* m_amplitudeTimer = nullptr;    // "Refresh FFT": the peak
    // The dialogs are windows of their own, so the main window's controls of the same names
    // stay the ones found under it.
    std::unique_ptr<TForm7> m_form7;
    std::unique_ptr<TForm8> m_form8;

    LabelledValues m_data;
    LabelledValues m_undoStore;
    std::vector<double> m_inverseReal;
    std::vector<double> m_inverseImag;
    std::vector<SpectrumPoint> m_spectrum;
    std::vector<double> m_band;
    QStringList m_barLabels;
    std::vector<double> m_barHeights;
    int m_channel = 1;
    double m_f1 = 0;
    double m_f2 = 0;
    int m_pointsPerPage = 9015;
};

} // namespace korvanta::analysis::ui
