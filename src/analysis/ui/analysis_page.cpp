#include "analysis/ui/analysis_page.h"

#include "chart/ui/chart_cursors.h"
#include "chart/ui/cursor_readout.h"
#include "common/ui/named_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace korvanta::analysis::ui {
namespace {

using common::ui::LabeledEdit;
using common::ui::makeCheckBox;
using common::ui::makeEdit;
using common::ui::makeLabel;
using common::ui::named;

// The caption of the buttons that save a chart as a picture.
const QString kPictureText = QStringLiteral("Obraz");

QLabel* makeCaption(const QString& caption, QWidget* parent) {
    return new QLabel(caption, parent);
}

QCustomPlot* makeChart(const QString& name, QWidget* parent) {
    auto* chart = named(new QCustomPlot(parent), name);
    chart->setMinimumHeight(120);
    return chart;
}

} // namespace

AnalysisPage::AnalysisPage(QWidget* parent)
    : QWidget(parent), Chart2(makeChart(QStringLiteral("Chart2"), this)),
      Chart3(makeChart(QStringLiteral("Chart3"), this)),
      Chart4(makeChart(QStringLiteral("Chart4"), this)),
      m_chartPages(named(new QTabWidget(this), QStringLiteral("chartPages"))),
      m_settingsPages(named(new QTabWidget(this), QStringLiteral("settingsPages"))) {
    setObjectName(QStringLiteral("TabSheet6"));
    setWindowTitle(QStringLiteral("Analiza"));
    Chart2->legend->setVisible(true);
    Chart2->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignHCenter);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSidePanel());
    layout->addWidget(buildCharts(), 1);
    keepPagesInStep();
    buildContextMenu();
}

QWidget* AnalysisPage::buildSidePanel() {
    auto* panel = new QWidget(this);
    CheckBox5 = makeCheckBox(QStringLiteral("CheckBox5"), QStringLiteral("Odśwież wykres"), panel);
    LabeledEdit15 = new LabeledEdit(QStringLiteral("LabeledEdit15"),
                                    QStringLiteral("Odśwież okres[ms]"), panel);
    Label54 = makeLabel(QStringLiteral("Label54"), QStringLiteral("--"), panel);
    SpeedButton2 = named(new QToolButton(panel), QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("Zero"));
    SpeedButton2->setCheckable(true);
    Edit38 = makeEdit(QStringLiteral("Edit38"), QStringLiteral("1"), panel);
    Edit38->setMaximumWidth(40);
    UpDown23 = new common::ui::UpDown(QStringLiteral("UpDown23"), Edit38, 1, 64, panel);
    LabeledEdit17 =
        new LabeledEdit(QStringLiteral("LabeledEdit17"), QStringLiteral("Label:"), panel);
    LabeledEdit17->edit()->setMaxLength(20);
    LabeledEdit20 = new LabeledEdit(QStringLiteral("LabeledEdit20"),
                                    QStringLiteral("ilosc probek w oknie"), panel);

    auto* grid = new QGridLayout(panel);
    grid->addWidget(CheckBox5, 0, 0, 1, 3);
    grid->addWidget(LabeledEdit15, 1, 0, 1, 3);
    grid->addWidget(makeLabel(QStringLiteral("Label53"), QStringLiteral("Liczba próbek"), panel), 2,
                    0);
    grid->addWidget(Label54, 2, 1, 1, 2);
    grid->addWidget(SpeedButton2, 3, 0);
    grid->addWidget(makeCaption(QStringLiteral("Channel:"), panel), 4, 0);
    grid->addWidget(Edit38, 4, 1);
    grid->addWidget(UpDown23, 4, 2);
    grid->addWidget(LabeledEdit17, 5, 0, 1, 3);
    grid->addWidget(LabeledEdit20, 6, 0, 1, 3);
    grid->setRowStretch(7, 1);
    panel->setMaximumWidth(220);
    return panel;
}

QWidget* AnalysisPage::buildCharts() {
    m_chartPages->addTab(
        buildChartWithTools(Chart3,
                            {QStringLiteral("ToolButton31"), QStringLiteral("ToolButton42"),
                             QStringLiteral("ToolButton36"), QStringLiteral("ToolButton38"),
                             QStringLiteral("ToolButton40"), QStringLiteral("ToolButton62"),
                             QStringLiteral("ToolButton63"), QStringLiteral("ToolButton43"),
                             QStringLiteral("ToolButton47"), QStringLiteral("ToolButton56"),
                             QStringLiteral("PictureButton3")},
                            {QStringLiteral("FFT"), QStringLiteral("IFFT"), QStringLiteral("1/2"),
                             QStringLiteral("x2"), QStringLiteral("Scaling"), QStringLiteral("∫"),
                             QStringLiteral("∫∫"), QStringLiteral("Save"), QStringLiteral("Copy"),
                             QStringLiteral("Print"), kPictureText}),
        QStringLiteral("FFT"));
    m_chartPages->addTab(
        buildChartWithTools(Chart4,
                            {QStringLiteral("ToolButton48"), QStringLiteral("ToolButton59"),
                             QStringLiteral("ToolButton50"), QStringLiteral("ToolButton58"),
                             QStringLiteral("PictureButton4")},
                            {QStringLiteral("Scaling"), QStringLiteral("Save"),
                             QStringLiteral("Copy"), QStringLiteral("Print"), kPictureText}),
        QStringLiteral("Histogram"));
    m_settingsPages->addTab(buildFftSettings(), QStringLiteral("FFT Settings"));
    m_settingsPages->addTab(buildHistogramSettings(), QStringLiteral("Histogram Settings"));

    auto* splitter = new QSplitter(Qt::Vertical, this);
    QWidget* chart2Box =
        buildChartWithTools(Chart2,
                            {QStringLiteral("ToolButton39"), QStringLiteral("ToolButton34"),
                             QStringLiteral("ToolButton46"), QStringLiteral("ToolButton54"),
                             QStringLiteral("PictureButton2")},
                            {QStringLiteral("Scaling"), QStringLiteral("Save"),
                             QStringLiteral("Copy"), QStringLiteral("Print"), kPictureText});
    attachCursors(*chart2Box);
    splitter->addWidget(chart2Box);
    splitter->addWidget(m_chartPages);
    splitter->addWidget(m_settingsPages);
    return splitter;
}

QWidget* AnalysisPage::buildChartWithTools(QCustomPlot* chart, const QStringList& toolNames,
                                           const QStringList& toolTexts) {
    auto* box = new QWidget(this);
    auto* tools = new QToolBar(box);
    for (int i = 0; i < toolNames.size(); ++i) {
        auto* button = named(new QToolButton(tools), toolNames[i]);
        button->setText(toolTexts[i]);
        button->setToolTip(toolTexts[i]);
        tools->addWidget(button);
    }
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tools);
    layout->addWidget(chart, 1);
    return box;
}

// The cursors' button joins the chart's tool bar and their readout goes below the chart.
void AnalysisPage::attachCursors(QWidget& chartBox) {
    m_cursors2 = new chart::ui::ChartCursors(*Chart2);
    m_cursors2->addButton(*chartBox.findChild<QToolBar*>(), QStringLiteral("CursorsButton2"));
    auto* readout = new chart::ui::CursorReadout(*m_cursors2, &chartBox);
    readout->setObjectName(QStringLiteral("CursorReadout2"));
    chartBox.layout()->addWidget(readout);
}

QWidget* AnalysisPage::buildFftSettings() {
    auto* page = new QWidget(this);
    Edit39 = makeEdit(QStringLiteral("Edit39"), QStringLiteral("0"), page);
    CheckBox7 = makeCheckBox(QStringLiteral("CheckBox7"),
                             QStringLiteral("Pokaż częstotliwości [Hz]"), page);
    Edit40 = makeEdit(QStringLiteral("Edit40"), QStringLiteral("0"), page);
    Edit44 = makeEdit(QStringLiteral("Edit44"), QStringLiteral("0"), page);
    CheckBox8 =
        makeCheckBox(QStringLiteral("CheckBox8"), QStringLiteral("Rozszerzenie zakresu"), page);
    Edit41 = makeEdit(QStringLiteral("Edit41"), QStringLiteral("0"), page);
    Edit41->setMaxLength(10);
    UpDown25 = new common::ui::UpDown(QStringLiteral("UpDown25"), nullptr, 0, 30, page);
    CheckBox2 = makeCheckBox(QStringLiteral("CheckBox2"), QStringLiteral("Refresh FFT"), page);
    LabeledEdit5 = new LabeledEdit(QStringLiteral("LabeledEdit5"),
                                   QStringLiteral("Refresh period [ms]"), page);
    Button9 = named(new QPushButton(QStringLiteral("Amplitude:"), page), QStringLiteral("Button9"));
    Label50 = makeLabel(QStringLiteral("Label50"), QStringLiteral("--"), page);
    Label52 = makeLabel(QStringLiteral("Label52"), QStringLiteral("--"), page);
    CheckBox9 = makeCheckBox(QStringLiteral("CheckBox9"), QStringLiteral("Real"), page);
    CheckBox10 = makeCheckBox(QStringLiteral("CheckBox10"), QStringLiteral("Imag"), page);
    CheckBox11 = makeCheckBox(QStringLiteral("CheckBox11"), QStringLiteral("XY"), page);
    for (QCheckBox* part : {CheckBox9, CheckBox10, CheckBox11}) {
        part->setChecked(true);
    }
    CheckBox15 = makeCheckBox(QStringLiteral("CheckBox15"), QStringLiteral("Draw area (XY)"), page);
    CheckBox12 = makeCheckBox(QStringLiteral("CheckBox12"), QStringLiteral("filter"), page);

    Panel25 = named(new QFrame(page), QStringLiteral("Panel25"));
    Edit42 = makeEdit(QStringLiteral("Edit42"), QString(), Panel25);
    Edit43 = makeEdit(QStringLiteral("Edit43"), QString(), Panel25);
    Edit42->setReadOnly(true);
    Edit43->setReadOnly(true);
    Button8 = named(new QPushButton(QStringLiteral("OK"), Panel25), QStringLiteral("Button8"));
    auto* band = new QHBoxLayout(Panel25);
    band->addWidget(makeCaption(QStringLiteral("f1:"), Panel25));
    band->addWidget(Edit42);
    band->addWidget(makeCaption(QStringLiteral("f2:"), Panel25));
    band->addWidget(Edit43);
    band->addWidget(Button8);
    Panel25->hide();

    auto* grid = new QGridLayout(page);
    grid->addWidget(makeLabel(QStringLiteral("Label61"),
                              QStringLiteral("Ustaw częstotliwość próbkowania"), page),
                    0, 0, 1, 2);
    grid->addWidget(Edit39, 0, 2, 1, 2);
    grid->addWidget(CheckBox7, 1, 0, 1, 4);
    grid->addWidget(makeLabel(QStringLiteral("Label56"), QStringLiteral("od"), page), 2, 0);
    grid->addWidget(Edit40, 2, 1);
    grid->addWidget(makeLabel(QStringLiteral("Label63"), QStringLiteral("do"), page), 2, 2);
    grid->addWidget(Edit44, 2, 3);
    grid->addWidget(CheckBox8, 3, 0, 1, 2);
    grid->addWidget(Edit41, 3, 2);
    grid->addWidget(UpDown25, 3, 3);
    grid->addWidget(CheckBox2, 4, 0, 1, 2);
    grid->addWidget(LabeledEdit5, 4, 2, 1, 2);
    grid->addWidget(Button9, 5, 0);
    grid->addWidget(makeLabel(QStringLiteral("Label49"), QStringLiteral("Amplituda:"), page), 5, 1);
    grid->addWidget(Label50, 5, 2);
    grid->addWidget(makeLabel(QStringLiteral("Label51"), QStringLiteral("dla F(Hz):"), page), 6, 1);
    grid->addWidget(Label52, 6, 2);
    grid->addWidget(CheckBox9, 7, 0);
    grid->addWidget(CheckBox10, 7, 1);
    grid->addWidget(CheckBox11, 7, 2);
    grid->addWidget(CheckBox15, 8, 0, 1, 2);
    grid->addWidget(CheckBox12, 8, 2);
    grid->addWidget(Panel25, 9, 0, 1, 4);
    return page;
}

QWidget* AnalysisPage::buildHistogramSettings() {
    auto* page = new QWidget(this);
    LabeledEdit16 =
        new LabeledEdit(QStringLiteral("LabeledEdit16"), QStringLiteral("Number of bins"), page);
    Button6 = named(new QPushButton(QStringLiteral("Histogram"), page), QStringLiteral("Button6"));
    Label62 = makeLabel(QStringLiteral("Label62"), QStringLiteral("  --  "), page);
    auto* grid = new QGridLayout(page);
    grid->addWidget(LabeledEdit16, 0, 0, 1, 2);
    grid->addWidget(Button6, 1, 0);
    grid->addWidget(makeCaption(QStringLiteral("Bin's width:"), page), 2, 0);
    grid->addWidget(Label62, 2, 1);
    grid->setRowStretch(3, 1);
    return page;
}

void AnalysisPage::buildContextMenu() {
    m_contextMenu = new QMenu(this);
    Copyall1 =
        named(m_contextMenu->addAction(QStringLiteral("Copy all ")), QStringLiteral("Copyall1"));
    connect(Copyall1, &QAction::triggered, this, &AnalysisPage::copyAllRequested);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_contextMenu->popup(mapToGlobal(at)); });
}

void AnalysisPage::keepPagesInStep() {
    // The chart pages and their settings pages are shown together.
    connect(m_chartPages, &QTabWidget::currentChanged, m_settingsPages,
            &QTabWidget::setCurrentIndex);
    connect(m_settingsPages, &QTabWidget::currentChanged, m_chartPages,
            &QTabWidget::setCurrentIndex);
}

} // namespace korvanta::analysis::ui
