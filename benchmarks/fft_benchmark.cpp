// Times the forward spectrum of FFTRQ (samples in, transform, normalisation, magnitudes) against
// FFTW on the same data, at 2^10, 2^16 and 2^20 samples; the literal loops of the transform are
// timed beside it, and FFTRQ's values are checked to be bit-identical to theirs. FFTRQ makes its
// tables in the first run and keeps them, as FFTW's plan is made before the timing.
//
// It also times the analysis tab end to end: 2^20 samples of a channel loaded into Series68, then
// the forward transform button ToolButton31 until the spectrum is drawn on Chart3, on a window
// shown offscreen, against FFTW's spectrum of the same length.

#include "analysis/fftrq.h"
#include "analysis/ui/analysis_controller.h"
#include "analysis/ui/analysis_page.h"
#include "bench_timing.h"
#include "chart/ui/chart_panel.h"
#include "chart/ui/monitor_chart.h"
#include "common/ui/up_down.h"
#include "files/ui/file_browser_panel.h"
#include "files/ui/report_panel.h"
#include "support/fixed_clock.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_messages.h"
#include "unit/analysis/literal_fft.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fftw3.h>
#include <functional>
#include <qcustomplot.h>
#include <random>
#include <vector>

namespace {

using namespace korvanta;

constexpr int kRuns = 15;

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Median time of one call of `work`, each run repeating it `repeat` times, on this thread's CPU
// clock so that time spent preempted on a shared machine does not count.
double medianMs(int repeat, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double start = cpuMs();
        for (int i = 0; i < repeat; ++i) {
            work();
        }
        times.push_back((cpuMs() - start) / repeat);
    }
    return benchmarks::median(times);
}

std::vector<double> signal(std::size_t n) {
    std::mt19937_64 random(n);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = 3 * std::sin(2 * M_PI * 50.0 * static_cast<double>(i) / 1000.0) + noise(random);
    }
    return x;
}

class Fftw {
public:
    explicit Fftw(std::size_t n)
        : m_n(n), m_in(fftw_alloc_complex(n)), m_out(fftw_alloc_complex(n)),
          m_plan(fftw_plan_dft_1d(static_cast<int>(n), m_in, m_out, FFTW_FORWARD, FFTW_ESTIMATE)),
          m_mag(n) {}
    ~Fftw() {
        fftw_destroy_plan(m_plan);
        fftw_free(m_in);
        fftw_free(m_out);
    }
    Fftw(const Fftw&) = delete;
    Fftw& operator=(const Fftw&) = delete;

    void run(const std::vector<double>& x) {
        for (std::size_t i = 0; i < m_n; ++i) {
            m_in[i][0] = x[i];
            m_in[i][1] = 0.0;
        }
        fftw_execute(m_plan);
        const double scale = 2.0 / static_cast<double>(m_n);
        for (std::size_t i = 0; i < m_n; ++i) {
            m_mag[i] = std::sqrt(m_out[i][0] * m_out[i][0] + m_out[i][1] * m_out[i][1]) * scale;
        }
        benchmark::DoNotOptimize(m_mag.data());
    }

private:
    std::size_t m_n;
    fftw_complex* m_in;
    fftw_complex* m_out;
    fftw_plan m_plan;
    std::vector<double> m_mag;
};

void spectrum(analysis::FFTRQ& fft, const std::vector<double>& x) {
    fft.Reset();
    for (const double v : x) {
        fft.AddSample(v, 0.0);
    }
    fft.Prepare();
    fft.setDirection(-1);
    fft.Compute(analysis::FFTRQ::Spectrum);
    fft.ComputeMagnitudes();
}

void literalSpectrum(testing::LiteralFft& literal, const std::vector<double>& x,
                     const std::vector<double>& zeros) {
    literal.prepare(x, zeros);
    literal.compute(-1, 0);
    literal.computeMagnitudes();
}

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool bitIdentical(analysis::FFTRQ& fft, const testing::LiteralFft& literal) {
    for (std::uint32_t k = 0; k <= literal.n; ++k) {
        if (!sameBits(fft.Re(k), literal.re[k]) || !sameBits(fft.Im(k), literal.im[k]) ||
            !sameBits(fft.Magnitude(k), literal.mag[k])) {
            return false;
        }
    }
    return true;
}

void measure(int log2n, double target) {
    const std::size_t n = std::size_t{1} << log2n;
    const std::vector<double> x = signal(n);
    const std::vector<double> zeros(n, 0.0);
    const int repeat = static_cast<int>(std::max<std::size_t>(1, (std::size_t{1} << 20) / n));

    Fftw fftw(n);
    analysis::FFTRQ fft;
    testing::LiteralFft literal;
    const double fftwMs = medianMs(repeat, [&] { fftw.run(x); });
    const double fftrqMs = medianMs(repeat, [&] { spectrum(fft, x); });
    const double literalMs = medianMs(repeat, [&] { literalSpectrum(literal, x, zeros); });

    spectrum(fft, x);
    literalSpectrum(literal, x, zeros);
    std::printf("2^%d samples: FFTW %.4f ms, FFTRQ values %s the literal loops'\n", log2n, fftwMs,
                bitIdentical(fft, literal) ? "bit-identical to" : "DIFFERENT from");
    std::printf("literal loops, 2^%d samples: %.4f ms, ratio %.2f\n", log2n, literalMs,
                literalMs / fftwMs);
    if (target > 0) {
        std::printf("FFTRQ spectrum, 2^%d samples: %.4f ms, ratio %.2f (target <= %g)\n", log2n,
                    fftrqMs, fftrqMs / fftwMs, target);
    } else {
        std::printf("FFTRQ spectrum, 2^%d samples: %.4f ms, ratio %.2f\n", log2n, fftrqMs,
                    fftrqMs / fftwMs);
    }
}

// The analysis tab on its own pages, as the main window composes it.
class AnalysisTab {
public:
    AnalysisTab() {
        m_services.messages = &m_messages;
        m_services.dialogs = &m_dialogs;
        m_services.clock = &m_clock;
        chart::ui::ChartEnvironment environment{&m_settings,
                                                [] { return 0; },
                                                [] { return false; },
                                                [] { return QString(); },
                                                [] { return QString(); },
                                                [](int) { return QString(); },
                                                &m_messages,
                                                &m_dialogs};
        auto* layout = new QHBoxLayout(&m_window);
        auto* side = new QWidget(&m_window);
        auto* sideLayout = new QHBoxLayout(side);
        m_files = new files::ui::FileBrowserPanel(side);
        m_report = new files::ui::ReportPanel(side);
        sideLayout->addWidget(m_files);
        sideLayout->addWidget(m_report);
        m_chart = new chart::ui::ChartPanel(environment, &m_window);
        m_pages = new QTabWidget(&m_window);
        m_pages->addTab(m_chart, QStringLiteral("Pomiary"));
        m_page = new analysis::ui::AnalysisPage(m_pages);
        m_pages->addTab(m_page, QStringLiteral("Analiza"));
        layout->addWidget(side);
        layout->addWidget(m_pages, 1);
        analysis::ui::AnalysisSources sources{[] { return std::optional<int>(); },
                                              [] { return QString(); }, [] { return QString(); },
                                              [](int) { return QString(); },
                                              [](int) {
                                                  return QString();
                                              }};
        m_controller = new analysis::ui::AnalysisController(
            m_settings, m_services, {*m_page, *m_pages, *m_chart, *m_files, *m_report}, sources,
            &m_window);
        m_window.resize(1400, 900);
        m_window.show();
        m_pages->setCurrentWidget(m_page);
    }

    // Channel 1 of the monitoring chart holding `x`, chosen for analysis at 1000 Hz.
    void load(const std::vector<double>& x) {
        chart::ui::ChartSeries* series = m_chart->chart()->series(0);
        QVector<double> keys(static_cast<qsizetype>(x.size()));
        QVector<double> values(x.begin(), x.end());
        for (std::size_t i = 0; i < x.size(); ++i) {
            keys[static_cast<qsizetype>(i)] = static_cast<double>(i);
        }
        series->setData(keys, values, true);
        m_chart->chart()->setSeriesVisible(0, true);
        m_controller->UpDown23Click(1);
        m_page->edit39()->setText(QStringLiteral("1000"));
    }
    void forward() { m_page->findChild<QToolButton*>(QStringLiteral("ToolButton31"))->click(); }
    int spectrumPoints() const {
        return m_page->chart3()->graphCount() > 0 ? m_page->chart3()->graph(0)->dataCount() : 0;
    }
    QString peak() const { return m_page->findChild<QLabel*>(QStringLiteral("Label52"))->text(); }

private:
    acquisition::SettingsRecord m_settings;
    testing::ScriptedMessages m_messages;
    testing::ScriptedDialogs m_dialogs;
    testing::FixedClock m_clock;
    platform::Services m_services;
    QWidget m_window;
    files::ui::FileBrowserPanel* m_files;
    files::ui::ReportPanel* m_report;
    chart::ui::ChartPanel* m_chart;
    QTabWidget* m_pages;
    analysis::ui::AnalysisPage* m_page;
    analysis::ui::AnalysisController* m_controller;
};

// ToolButton31 until the spectrum is drawn, on this thread's CPU clock as the transforms above
// (the drawing runs on the same thread). The target is on the time itself; the ratio is to
// FFTW's spectrum of the same length.
void measureTab(double targetMs) {
    constexpr int kTabRuns = 5;
    const std::size_t n = std::size_t{1} << 20;
    const std::vector<double> x = signal(n);
    Fftw fftw(n);
    const double fftwMs = medianMs(1, [&] { fftw.run(x); });

    AnalysisTab tab;
    tab.load(x);
    tab.forward(); // tables made once, as FFTW's plan
    std::vector<double> times;
    for (int run = 0; run < kTabRuns; ++run) {
        const double start = cpuMs();
        tab.forward();
        times.push_back(cpuMs() - start);
    }
    const double ms = benchmarks::median(times);
    std::printf("2^20 samples in Series68: %d spectrum points drawn, peak at %s Hz\n",
                tab.spectrumPoints(), qPrintable(tab.peak()));
    std::printf(
        "ToolButton31 to spectrum drawn, 2^20 samples: %.1f ms, ratio %.2f (target <= %g ms)\n", ms,
        ms / fftwMs, targetMs);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::printf("forward transform and magnitudes, median of %d runs, thread CPU time; FFTW plan "
                "FFTW_ESTIMATE made outside the timing\n",
                kRuns);
    measure(10, 0);
    measure(16, 2.0);
    measure(20, 1.5);
    measureTab(1000);
    return 0;
}
