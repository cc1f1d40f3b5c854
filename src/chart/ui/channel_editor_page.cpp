#include "chart/ui/channel_editor_page.h"

#include "chart/ui/monitor_chart.h"
#include "common/handler_guard.h"
#include "common/number_format.h"
#include "common/ui/labeled_edit.h"
#include "common/ui/up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace korvanta::chart::ui {

using common::ui::LabeledEdit;
using common::ui::UpDown;

namespace {

constexpr int kChannels = acquisition::SettingsRecord::kChannelCount;
constexpr int kFoldedHeight = 23;
constexpr int kUnfoldedHeight = 100;
constexpr int kAuxValueFunction = 11;
constexpr int kMedianFunction = 15;
constexpr int kPowerFunction = 4;
constexpr int kSum3Function = 10;

const QString kAdvancedCaption = QStringLiteral("Zaawansowane kanały");
const QString kDetails = QStringLiteral("szczegóły >>");

QString startCaption() {
    return kAdvancedCaption + QString(36, QLatin1Char(' ')) + kDetails;
}
QString unfoldedCaption() {
    return kAdvancedCaption + QStringLiteral(" \t\t\tschowaj") + QString(12, QLatin1Char(' '));
}
QString foldedCaption() {
    return kAdvancedCaption + QString(30, QLatin1Char(' ')) + kDetails +
           QString(6, QLatin1Char(' '));
}

const QStringList& designFunctionTexts() {
    static const QStringList texts = {
        QStringLiteral("MEAN"),
        QStringLiteral("SUM2"),
        QStringLiteral("DIFF"),
        QStringLiteral("RMS"),
        QStringLiteral("P(true power)"),
        QStringLiteral("S(apparent power)"),
        QStringLiteral("Q(reactive power)"),
        QStringLiteral("U"),
        QStringLiteral("I"),
        QStringLiteral("cos φ"),
        QStringLiteral("SUM3"),
        QStringLiteral("AL154"),
        QStringLiteral("A/rms"),
        QStringLiteral("V/rms"),
        QStringLiteral("Direction3f"),
        QStringLiteral("Mediana"),
    };
    return texts;
}

bool usesTwoOperands(int f) {
    return f == 1 || f == 2 || f == kSum3Function;
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* makeEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(70);
    return edit;
}

QCheckBox* makeCheckBox(const QString& name, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

// An edit and its up-down side by side in one grid cell.
QWidget* pair(QWidget* edit, QWidget* upDown, QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit);
    layout->addWidget(upDown);
    layout->addStretch(1);
    return holder;
}

} // namespace

ChannelEditorPage::ChannelEditorPage(const ChartEnvironment& environment, MonitorChart* chart,
                                     QWidget* parent)
    : QWidget(parent), m_env(environment), m_chart(chart) {
    setObjectName(QStringLiteral("TabSheet3"));
    buildControls();
    buildAdvancedPanel();
    connectControls();
}

void ChannelEditorPage::buildControls() {
    m_label10 = makeLabel(QStringLiteral("Label10"), QStringLiteral("Kanał"), this);
    m_edit2 = makeEdit(QStringLiteral("Edit2"), this);
    m_upDown1 = new UpDown(QStringLiteral("UpDown1"), m_edit2, 1, kChannels, this);
    m_checkBox1 = makeCheckBox(QStringLiteral("CheckBox1"), QStringLiteral("Aktywny"), this);
    m_label9 = makeLabel(QStringLiteral("Label9"), QStringLiteral("Wejście(K)"), this);
    m_edit3 = makeEdit(QStringLiteral("Edit3"), this);
    m_upDown2 = new UpDown(QStringLiteral("UpDown2"), m_edit3, 1, kChannels, this);
    m_label5 = makeLabel(QStringLiteral("Label5"), QString(), this);
    m_label15 = makeLabel(QStringLiteral("Label15"), QStringLiteral("Wejście pomiarowe"), this);
    m_label13 = makeLabel(QStringLiteral("Label13"), QStringLiteral("Funkcja"), this);
    m_comboBox1 = new QComboBox(this);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setToolTip(QStringLiteral("Wybierz funkcję"));
    m_comboBox1->addItems(designFunctionTexts());
    m_label8 =
        makeLabel(QStringLiteral("Label8"), QStringLiteral("Długość bufora pomiarowego"), this);
    m_edit4 = makeEdit(QStringLiteral("Edit4"), this);
    m_edit4->setToolTip(QStringLiteral("wartość 0 oznacza cały bufor"));
    m_upDown3 = new UpDown(QStringLiteral("UpDown3"), m_edit4, 0, 60000, this, 10);
    m_label11 =
        makeLabel(QStringLiteral("Label11"), QStringLiteral("Liczba miejsc po przecinku"), this);
    m_edit5 = makeEdit(QStringLiteral("Edit5"), this);
    m_edit5->setToolTip(QStringLiteral("Wartość z przedziału od 0 do 3"));
    m_upDown4 = new UpDown(QStringLiteral("UpDown4"), m_edit5, 0, 3, this);
    m_labeledEdit1 =
        new LabeledEdit(QStringLiteral("LabeledEdit1"), QStringLiteral("Etykieta"), this);
    m_labeledEdit1->edit()->setMaxLength(19);
    m_labeledEdit2 =
        new LabeledEdit(QStringLiteral("LabeledEdit2"), QStringLiteral("Notatka"), this);
    m_labeledEdit2->edit()->setMaxLength(79);
    m_checkBox3 = makeCheckBox(QStringLiteral("CheckBox3"), QStringLiteral("Dodaj wykres"), this);
    m_button1 = new QPushButton(QStringLiteral("Wybierz kolor"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_labeledEdit6 =
        new LabeledEdit(QStringLiteral("LabeledEdit6"), QStringLiteral("Kalibracja"), this);
    m_label12 = makeLabel(QStringLiteral("Label12"), QStringLiteral("k"), this);
    m_labeledEdit3 =
        new LabeledEdit(QStringLiteral("LabeledEdit3"), QStringLiteral("Numery kanałów"), this);
    m_labeledEdit3->edit()->setMaximumWidth(70);
    m_upDown13 = new UpDown(QStringLiteral("UpDown13"), m_labeledEdit3->edit(), 1, kChannels, this);
    m_label34 = makeLabel(QStringLiteral("Label34"), QStringLiteral("+k"), this);
    m_edit35 = makeEdit(QStringLiteral("Edit35"), this);
    m_upDown21 = new UpDown(QStringLiteral("UpDown21"), m_edit35, 1, kChannels, this);
    m_label36 = makeLabel(QStringLiteral("Label36"), QStringLiteral("+k"), this);
    m_edit36 = makeEdit(QStringLiteral("Edit36"), this);
    m_upDown22 = new UpDown(QStringLiteral("UpDown22"), m_edit36, 1, kChannels, this);
    m_checkBox18 = makeCheckBox(QStringLiteral("CheckBox18"), QStringLiteral("ZERO"), this);
    m_checkBox18->setChecked(true);
    m_button3 = new QPushButton(QStringLiteral("Ustawienia domyślne"), this);
    m_button3->setObjectName(QStringLiteral("Button3"));
    m_button3->setToolTip(QStringLiteral("Ustaw parametry domyślne"));

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(m_label10, row, 0);
    grid->addWidget(pair(m_edit2, m_upDown1, this), row, 1);
    grid->addWidget(m_checkBox1, row++, 2);
    grid->addWidget(m_label9, row, 0);
    grid->addWidget(pair(m_edit3, m_upDown2, this), row, 1);
    grid->addWidget(m_label15, row++, 2);
    grid->addWidget(m_label5, row++, 1, 1, 2);
    grid->addWidget(m_label13, row, 0);
    grid->addWidget(m_comboBox1, row++, 1, 1, 2);
    grid->addWidget(m_label12, row, 0, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(pair(m_labeledEdit3, m_upDown13, this), row, 1);
    grid->addWidget(m_checkBox18, row++, 2);
    grid->addWidget(m_label34, row, 0, Qt::AlignRight);
    grid->addWidget(pair(m_edit35, m_upDown21, this), row++, 1);
    grid->addWidget(m_label36, row, 0, Qt::AlignRight);
    grid->addWidget(pair(m_edit36, m_upDown22, this), row++, 1);
    grid->addWidget(m_label8, row, 0);
    grid->addWidget(pair(m_edit4, m_upDown3, this), row++, 1);
    grid->addWidget(m_label11, row, 0);
    grid->addWidget(pair(m_edit5, m_upDown4, this), row++, 1);
    grid->addWidget(m_labeledEdit1, row, 0, 1, 2);
    grid->addWidget(m_checkBox3, row++, 2);
    grid->addWidget(m_labeledEdit2, row++, 0, 1, 3);
    grid->addWidget(m_labeledEdit6, row, 0);
    grid->addWidget(m_button1, row++, 2);
    grid->addWidget(m_button3, row++, 0, 1, 3);

    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);

    showOperandControls(false);
    m_label36->setVisible(false);
    m_edit36->setVisible(false);
    m_upDown22->setVisible(false);
    m_checkBox18->setVisible(false);
}

void ChannelEditorPage::buildAdvancedPanel() {
    m_panel27 = new QFrame(this);
    m_panel27->setObjectName(QStringLiteral("Panel27"));
    m_panel27->setFrameShape(QFrame::StyledPanel);
    m_panel27->setFixedHeight(kFoldedHeight);
    m_label68 = makeLabel(QStringLiteral("Label68"), startCaption(), m_panel27);
    m_label68->setCursor(Qt::PointingHandCursor);
    m_label68->installEventFilter(this);

    m_advancedFields = new QWidget(m_panel27);
    m_bevel1 = new QFrame(m_advancedFields);
    m_bevel1->setObjectName(QStringLiteral("Bevel1"));
    m_bevel1->setFrameShape(QFrame::HLine);
    m_bevel1->setVisible(false);
    m_labeledEdit21 = new LabeledEdit(QStringLiteral("LabeledEdit21"),
                                      QStringLiteral("Nowy numer wejścia"), m_advancedFields);
    m_checkBox19 =
        makeCheckBox(QStringLiteral("CheckBox19"), QStringLiteral("wektor"), m_advancedFields);
    m_labeledEdit22 =
        new LabeledEdit(QStringLiteral("LabeledEdit22"), QStringLiteral("W1:"), m_advancedFields);
    m_labeledEdit23 =
        new LabeledEdit(QStringLiteral("LabeledEdit23"), QStringLiteral("W2:"), m_advancedFields);
    auto* fields = new QGridLayout(m_advancedFields);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addWidget(m_bevel1, 0, 0, 1, 3);
    fields->addWidget(m_labeledEdit21, 1, 0);
    fields->addWidget(m_checkBox19, 1, 1);
    fields->addWidget(m_labeledEdit22, 2, 0);
    fields->addWidget(m_labeledEdit23, 2, 1);
    m_advancedFields->setVisible(false);

    auto* layout = new QVBoxLayout(m_panel27);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_label68);
    layout->addWidget(m_advancedFields);
    layout->addStretch(1);
    auto* page = qobject_cast<QVBoxLayout*>(this->layout());
    page->addWidget(m_panel27);
    page->addStretch(1);
}

void ChannelEditorPage::connectControls() {
    acquisition::SettingsRecord& s = *m_env.settings;
    connect(m_upDown1, &UpDown::clicked, this, &ChannelEditorPage::selectChannel);
    connect(m_checkBox1, &QCheckBox::clicked, this,
            [this, &s](bool on) { s.setActive(editedChannel(), on); });
    connect(m_checkBox3, &QCheckBox::clicked, this,
            [this, &s](bool on) { s.setAddGraph(editedChannel(), on); });
    connect(m_upDown2, &UpDown::clicked, this, &ChannelEditorPage::onInputClicked);
    connect(m_edit3, &QLineEdit::textChanged, this,
            &ChannelEditorPage::showInputDescriptionFromEdit);
    connect(m_upDown3, &UpDown::clicked, this,
            [this, &s](int n) { s.setBufferLength(editedChannel(), n); });
    connect(m_upDown4, &UpDown::clicked, this,
            [this, &s](int n) { s.setDecimalPlaces(editedChannel(), n); });
    connect(m_upDown13, &UpDown::clicked, this,
            [this, &s](int n) { s.setOperand1(editedChannel(), n); });
    connect(m_upDown21, &UpDown::clicked, this,
            [this, &s](int n) { s.setOperand2(editedChannel(), n); });
    connect(m_upDown22, &UpDown::clicked, this,
            [this, &s](int n) { s.setOperand3(editedChannel(), n); });
    connect(m_labeledEdit2->edit(), &QLineEdit::textChanged, this,
            [this, &s](const QString& text) { s.setChannelNote(editedChannel(), text); });
    connect(m_labeledEdit6->edit(), &QLineEdit::textChanged, this,
            &ChannelEditorPage::onCoefficientEdited);
    connect(m_labeledEdit1->edit(), &QLineEdit::textChanged, this,
            &ChannelEditorPage::onLabelEdited);
    connect(m_comboBox1, &QComboBox::currentIndexChanged, this,
            &ChannelEditorPage::onFunctionChanged);
    connect(m_button1, &QPushButton::clicked, this, &ChannelEditorPage::chooseColor);
    connect(m_button3, &QPushButton::clicked, this, &ChannelEditorPage::applyDefaults);
}

int ChannelEditorPage::editedChannel() const {
    return std::clamp(m_env.settings->editedChannel(), 1, kChannels);
}

void ChannelEditorPage::selectChannel(int c) {
    const int channel = std::clamp(c, 1, kChannels);
    m_env.settings->setEditedChannel(channel);
    m_env.settings->setChannelNumber(channel, channel);
    m_upDown1->setPosition(channel);
    fillControls(true);
    m_chart->setSeriesColor(channel - 1,
                            MonitorChart::colorFromRecord(m_env.settings->seriesColor(channel)));
    applyFunctionRules(false);
    replotChart();
}

void ChannelEditorPage::loadFromRecord() {
    m_upDown1->setPosition(m_env.settings->channelNumber(editedChannel()));
    fillControls(false);
    applyFunctionRules(false);
}

void ChannelEditorPage::fillControls(bool keepInputWhenZero) {
    const acquisition::SettingsRecord& s = *m_env.settings;
    const int c = editedChannel();
    const QSignalBlocker blockLabel(m_labeledEdit1->edit());
    const QSignalBlocker blockNote(m_labeledEdit2->edit());
    const QSignalBlocker blockCoefficient(m_labeledEdit6->edit());
    const QSignalBlocker blockFunction(m_comboBox1);
    m_checkBox1->setChecked(s.active(c));
    if (!keepInputWhenZero || s.inputNumber(c) != 0) {
        m_upDown2->setPosition(s.inputNumber(c));
    }
    m_upDown3->setPosition(s.bufferLength(c));
    m_edit4->setText(QString::number(s.bufferLength(c)));
    m_labeledEdit1->setText(s.channelName(c));
    m_labeledEdit2->setText(s.channelNote(c));
    m_comboBox1->setCurrentIndex(s.functionIndex(c) < m_comboBox1->count() ? s.functionIndex(c)
                                                                           : -1);
    m_upDown4->setPosition(s.decimalPlaces(c));
    m_checkBox3->setChecked(s.addGraph(c));
    m_labeledEdit6->setText(QString::number(s.chartCoefficient(c)));
    m_upDown13->setPosition(s.operand1(c));
    m_upDown21->setPosition(s.operand2(c));
    m_upDown22->setPosition(s.operand3(c));
}

void ChannelEditorPage::applyFunctionRules(bool functionChange) {
    const int f = m_env.settings->functionIndex(editedChannel());
    if (usesTwoOperands(f)) {
        showOperandControls(true);
        m_label34->setText(f == 2 ? QStringLiteral("-k") : QStringLiteral("+k"));
        setInputControlsEnabled(false);
        setBufferControlsEnabled(false);
    } else if (f == kMedianFunction) {
        if (functionChange) {
            m_labeledEdit3->setVisible(false);
            m_upDown13->setVisible(false);
            m_edit35->setVisible(false);
            m_upDown21->setVisible(false);
        }
    } else {
        showOperandControls(false);
        setBufferControlsEnabled(true);
        if (functionChange || !m_env.monitoringRunning()) {
            setInputControlsEnabled(true);
        }
    }
    m_label36->setVisible(f == kSum3Function);
    m_edit36->setVisible(f == kSum3Function);
    m_upDown22->setVisible(f == kSum3Function);
    m_checkBox18->setVisible(f == kPowerFunction);
}

void ChannelEditorPage::showOperandControls(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_labeledEdit3, m_upDown13, m_edit35,
                                                      m_upDown21, m_label12, m_label34}) {
        w->setVisible(on);
    }
}

void ChannelEditorPage::setInputControlsEnabled(bool on) {
    m_edit3->setEnabled(on);
    m_upDown2->setEnabled(on);
}

void ChannelEditorPage::setBufferControlsEnabled(bool on) {
    m_edit4->setEnabled(on);
    m_upDown3->setEnabled(on);
}

void ChannelEditorPage::setMonitoringState(bool running) {
    if (running) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 m_upDown2, m_comboBox1, m_upDown13, m_upDown21, m_edit3, m_labeledEdit3, m_edit35,
                 m_label9, m_label13, m_label12, m_label34, m_label36, m_edit36, m_upDown22,
                 m_checkBox1, m_button3}) {
            w->setEnabled(false);
        }
        return;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_comboBox1, m_upDown13, m_upDown21, m_labeledEdit3, m_edit35, m_label9, m_label13,
             m_label12, m_label34, m_checkBox1, m_button3, m_label36, m_edit36, m_upDown22}) {
        w->setEnabled(true);
    }
    const int f = m_env.settings->functionIndex(m_upDown1->position());
    setInputControlsEnabled(!usesTwoOperands(f));
}

void ChannelEditorPage::applyDefaults() {
    const int count = std::clamp(m_env.channelCount(), 0, kChannels);
    m_env.settings->resetChannelDefaults(count);
    fillControls(false);
    // Every channel now means over one input, so the operand controls go and the input edits
    // come back, as for any channel of that function.
    applyFunctionRules(false);
}

void ChannelEditorPage::prepareFunctionList() {
    const QSignalBlocker block(m_comboBox1);
    for (int index = 15; index >= 12; --index) {
        if (index < m_comboBox1->count()) {
            m_comboBox1->removeItem(index);
        }
    }
    const std::pair<int, QString> polish[] = {
        {0, QStringLiteral("ŚREDNIA")},       {1, QStringLiteral("SUMA2")},
        {2, QStringLiteral("RÓŻNICA")},       {3, QStringLiteral("WART. SKUTECZNA")},
        {4, QStringLiteral("P(moc czynna)")}, {5, QStringLiteral("S(moc pozorna)")},
        {6, QStringLiteral("Q(moc bierna)")}, {10, QStringLiteral("SUMA3")},
    };
    for (const auto& [index, text] : polish) {
        m_comboBox1->setItemText(index, text);
    }
}

QStringList ChannelEditorPage::functionNames() const {
    QStringList names;
    for (int i = 0; i < m_comboBox1->count(); ++i) {
        names << m_comboBox1->itemText(i);
    }
    return names;
}

bool ChannelEditorPage::zeroChecked() const {
    return m_checkBox18->isChecked();
}

std::optional<VectorChannel> ChannelEditorPage::vectorChannel() const {
    if (!m_checkBox19->isChecked()) {
        return std::nullopt;
    }
    return VectorChannel{common::parseInt(m_labeledEdit21->text()),
                         common::parseInt(m_labeledEdit22->text()),
                         common::parseInt(m_labeledEdit23->text())};
}

void ChannelEditorPage::toggleAdvancedPanel() {
    const bool unfold = m_advancedFields->isHidden();
    m_panel27->setFixedHeight(unfold ? kUnfoldedHeight : kFoldedHeight);
    m_advancedFields->setVisible(unfold);
    m_bevel1->setVisible(unfold);
    m_label68->setText(unfold ? unfoldedCaption() : foldedCaption());
}

bool ChannelEditorPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_label68 && event->type() == QEvent::MouseButtonRelease) {
        toggleAdvancedPanel();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ChannelEditorPage::showInputDescriptionFromEdit() {
    bool ok = false;
    const int input = m_edit3->text().trimmed().toInt(&ok);
    if (ok) {
        m_label5->setText(m_env.inputDescription(input));
    }
}

void ChannelEditorPage::onInputClicked(int input) {
    const int c = editedChannel();
    m_env.settings->setInputNumber(c, input);
    m_label5->setText(m_env.settings->functionIndex(c) == kAuxValueFunction
                          ? QStringLiteral("AL154 k") + QString::number(input)
                          : m_env.inputDescription(input));
}

void ChannelEditorPage::onCoefficientEdited(const QString& text) {
    common::runGuarded(*m_env.messages, [this, &text] {
        m_env.settings->setChartCoefficient(editedChannel(), common::parseInt(text));
    });
}

void ChannelEditorPage::onLabelEdited(const QString& text) {
    const int c = editedChannel();
    m_env.settings->setChannelName(c, text);
    m_chart->setSeriesTitle(c - 1, text);
    replotChart();
}

void ChannelEditorPage::onFunctionChanged(int index) {
    if (index < 0) {
        return;
    }
    m_env.settings->setFunctionIndex(editedChannel(), index);
    applyFunctionRules(true);
}

void ChannelEditorPage::chooseColor() {
    const int c = editedChannel();
    bool accepted = false;
    const QColor chosen = m_env.dialogs->chooseColor(m_chart->seriesColor(c - 1), accepted);
    // A cancelled dialog still hands back the colour it held, and the series takes it.
    m_chart->setSeriesColor(c - 1, chosen);
    m_env.settings->setSeriesColor(c, MonitorChart::colorToRecord(m_chart->seriesColor(c - 1)));
    replotChart();
}

void ChannelEditorPage::replotChart() {
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

} // namespace korvanta::chart::ui
