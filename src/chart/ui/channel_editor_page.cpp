#include "chart/ui/channel_editor_page.h"

#include "chart/ui/monitor_chart.h"
#include "common/number_format.h"
#include "common/ui/labeled_edit.h"
#include "common/ui/up_down.h"
#include "platform/handler_guard.h"

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
    Label10 = makeLabel(QStringLiteral("Label10"), QStringLiteral("Kanał"), this);
    Edit2 = makeEdit(QStringLiteral("Edit2"), this);
    UpDown1 = new UpDown(QStringLiteral("UpDown1"), Edit2, 1, kChannels, this);
    CheckBox1 = makeCheckBox(QStringLiteral("CheckBox1"), QStringLiteral("Aktywny"), this);
    Label9 = makeLabel(QStringLiteral("Label9"), QStringLiteral("Wejście(K)"), this);
    Edit3 = makeEdit(QStringLiteral("Edit3"), this);
    UpDown2 = new UpDown(QStringLiteral("UpDown2"), Edit3, 1, kChannels, this);
    Label5 = makeLabel(QStringLiteral("Label5"), QString(), this);
    Label15 = makeLabel(QStringLiteral("Label15"), QStringLiteral("Wejście pomiarowe"), this);
    Label13 = makeLabel(QStringLiteral("Label13"), QStringLiteral("Funkcja"), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setToolTip(QStringLiteral("Wybierz funkcję"));
    ComboBox1->addItems(designFunctionTexts());
    Label8 =
        makeLabel(QStringLiteral("Label8"), QStringLiteral("Długość bufora pomiarowego"), this);
    Edit4 = makeEdit(QStringLiteral("Edit4"), this);
    Edit4->setToolTip(QStringLiteral("wartość 0 oznacza cały bufor"));
    UpDown3 = new UpDown(QStringLiteral("UpDown3"), Edit4, 0, 60000, this, 10);
    Label11 =
        makeLabel(QStringLiteral("Label11"), QStringLiteral("Liczba miejsc po przecinku"), this);
    Edit5 = makeEdit(QStringLiteral("Edit5"), this);
    Edit5->setToolTip(QStringLiteral("Wartość z przedziału od 0 do 3"));
    UpDown4 = new UpDown(QStringLiteral("UpDown4"), Edit5, 0, 3, this);
    LabeledEdit1 =
        new LabeledEdit(QStringLiteral("LabeledEdit1"), QStringLiteral("Etykieta"), this);
    LabeledEdit1->edit()->setMaxLength(19);
    LabeledEdit2 = new LabeledEdit(QStringLiteral("LabeledEdit2"), QStringLiteral("Notatka"), this);
    LabeledEdit2->edit()->setMaxLength(79);
    CheckBox3 = makeCheckBox(QStringLiteral("CheckBox3"), QStringLiteral("Dodaj wykres"), this);
    Button1 = new QPushButton(QStringLiteral("Wybierz kolor"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    LabeledEdit6 =
        new LabeledEdit(QStringLiteral("LabeledEdit6"), QStringLiteral("Kalibracja"), this);
    Label12 = makeLabel(QStringLiteral("Label12"), QStringLiteral("k"), this);
    LabeledEdit3 =
        new LabeledEdit(QStringLiteral("LabeledEdit3"), QStringLiteral("Numery kanałów"), this);
    LabeledEdit3->edit()->setMaximumWidth(70);
    UpDown13 = new UpDown(QStringLiteral("UpDown13"), LabeledEdit3->edit(), 1, kChannels, this);
    Label34 = makeLabel(QStringLiteral("Label34"), QStringLiteral("+k"), this);
    Edit35 = makeEdit(QStringLiteral("Edit35"), this);
    UpDown21 = new UpDown(QStringLiteral("UpDown21"), Edit35, 1, kChannels, this);
    Label36 = makeLabel(QStringLiteral("Label36"), QStringLiteral("+k"), this);
    Edit36 = makeEdit(QStringLiteral("Edit36"), this);
    UpDown22 = new UpDown(QStringLiteral("UpDown22"), Edit36, 1, kChannels, this);
    CheckBox18 = makeCheckBox(QStringLiteral("CheckBox18"), QStringLiteral("ZERO"), this);
    CheckBox18->setChecked(true);
    Button3 = new QPushButton(QStringLiteral("Ustawienia domyślne"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setToolTip(QStringLiteral("Ustaw parametry domyślne"));

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(Label10, row, 0);
    grid->addWidget(pair(Edit2, UpDown1, this), row, 1);
    grid->addWidget(CheckBox1, row++, 2);
    grid->addWidget(Label9, row, 0);
    grid->addWidget(pair(Edit3, UpDown2, this), row, 1);
    grid->addWidget(Label15, row++, 2);
    grid->addWidget(Label5, row++, 1, 1, 2);
    grid->addWidget(Label13, row, 0);
    grid->addWidget(ComboBox1, row++, 1, 1, 2);
    grid->addWidget(Label12, row, 0, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(pair(LabeledEdit3, UpDown13, this), row, 1);
    grid->addWidget(CheckBox18, row++, 2);
    grid->addWidget(Label34, row, 0, Qt::AlignRight);
    grid->addWidget(pair(Edit35, UpDown21, this), row++, 1);
    grid->addWidget(Label36, row, 0, Qt::AlignRight);
    grid->addWidget(pair(Edit36, UpDown22, this), row++, 1);
    grid->addWidget(Label8, row, 0);
    grid->addWidget(pair(Edit4, UpDown3, this), row++, 1);
    grid->addWidget(Label11, row, 0);
    grid->addWidget(pair(Edit5, UpDown4, this), row++, 1);
    grid->addWidget(LabeledEdit1, row, 0, 1, 2);
    grid->addWidget(CheckBox3, row++, 2);
    grid->addWidget(LabeledEdit2, row++, 0, 1, 3);
    grid->addWidget(LabeledEdit6, row, 0);
    grid->addWidget(Button1, row++, 2);
    grid->addWidget(Button3, row++, 0, 1, 3);

    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);

    showOperandControls(false);
    Label36->setVisible(false);
    Edit36->setVisible(false);
    UpDown22->setVisible(false);
    CheckBox18->setVisible(false);
}

void ChannelEditorPage::buildAdvancedPanel() {
    Panel27 = new QFrame(this);
    Panel27->setObjectName(QStringLiteral("Panel27"));
    Panel27->setFrameShape(QFrame::StyledPanel);
    Panel27->setFixedHeight(kFoldedHeight);
    Label68 = makeLabel(QStringLiteral("Label68"), startCaption(), Panel27);
    Label68->setCursor(Qt::PointingHandCursor);
    Label68->installEventFilter(this);

    m_advancedFields = new QWidget(Panel27);
    Bevel1 = new QFrame(m_advancedFields);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setVisible(false);
    LabeledEdit21 = new LabeledEdit(QStringLiteral("LabeledEdit21"),
                                    QStringLiteral("Nowy numer wejścia"), m_advancedFields);
    CheckBox19 =
        makeCheckBox(QStringLiteral("CheckBox19"), QStringLiteral("wektor"), m_advancedFields);
    LabeledEdit22 =
        new LabeledEdit(QStringLiteral("LabeledEdit22"), QStringLiteral("W1:"), m_advancedFields);
    LabeledEdit23 =
        new LabeledEdit(QStringLiteral("LabeledEdit23"), QStringLiteral("W2:"), m_advancedFields);
    auto* fields = new QGridLayout(m_advancedFields);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addWidget(Bevel1, 0, 0, 1, 3);
    fields->addWidget(LabeledEdit21, 1, 0);
    fields->addWidget(CheckBox19, 1, 1);
    fields->addWidget(LabeledEdit22, 2, 0);
    fields->addWidget(LabeledEdit23, 2, 1);
    m_advancedFields->setVisible(false);

    auto* layout = new QVBoxLayout(Panel27);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(Label68);
    layout->addWidget(m_advancedFields);
    layout->addStretch(1);
    auto* page = qobject_cast<QVBoxLayout*>(this->layout());
    page->addWidget(Panel27);
    page->addStretch(1);
}

void ChannelEditorPage::connectControls() {
    acquisition::SettingsRecord& s = *m_env.settings;
    connect(UpDown1, &UpDown::clicked, this, &ChannelEditorPage::selectChannel);
    connect(CheckBox1, &QCheckBox::clicked, this,
            [this, &s](bool on) { s.setActive(editedChannel(), on); });
    connect(CheckBox3, &QCheckBox::clicked, this,
            [this, &s](bool on) { s.setAddGraph(editedChannel(), on); });
    connect(UpDown2, &UpDown::clicked, this, &ChannelEditorPage::onInputClicked);
    connect(Edit3, &QLineEdit::textChanged, this, &ChannelEditorPage::showInputDescriptionFromEdit);
    connect(UpDown3, &UpDown::clicked, this,
            [this, &s](int n) { s.setBufferLength(editedChannel(), n); });
    connect(UpDown4, &UpDown::clicked, this,
            [this, &s](int n) { s.setDecimalPlaces(editedChannel(), n); });
    connect(UpDown13, &UpDown::clicked, this,
            [this, &s](int n) { s.setOperand1(editedChannel(), n); });
    connect(UpDown21, &UpDown::clicked, this,
            [this, &s](int n) { s.setOperand2(editedChannel(), n); });
    connect(UpDown22, &UpDown::clicked, this,
            [this, &s](int n) { s.setOperand3(editedChannel(), n); });
    connect(LabeledEdit2->edit(), &QLineEdit::textChanged, this,
            [this, &s](const QString& text) { s.setChannelNote(editedChannel(), text); });
    connect(LabeledEdit6->edit(), &QLineEdit::textChanged, this,
            &ChannelEditorPage::onCoefficientEdited);
    connect(LabeledEdit1->edit(), &QLineEdit::textChanged, this, &ChannelEditorPage::onLabelEdited);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            &ChannelEditorPage::onFunctionChanged);
    connect(Button1, &QPushButton::clicked, this, &ChannelEditorPage::chooseColor);
    connect(Button3, &QPushButton::clicked, this, &ChannelEditorPage::applyDefaults);
}

int ChannelEditorPage::editedChannel() const {
    return std::clamp(m_env.settings->editedChannel(), 1, kChannels);
}

void ChannelEditorPage::selectChannel(int c) {
    const int channel = std::clamp(c, 1, kChannels);
    m_env.settings->setEditedChannel(channel);
    m_env.settings->setChannelNumber(channel, channel);
    UpDown1->setPosition(channel);
    fillControls(true);
    m_chart->setSeriesColor(channel - 1,
                            MonitorChart::colorFromRecord(m_env.settings->seriesColor(channel)));
    applyFunctionRules(false);
    replotChart();
}

void ChannelEditorPage::loadFromRecord() {
    UpDown1->setPosition(m_env.settings->channelNumber(editedChannel()));
    fillControls(false);
    applyFunctionRules(false);
}

void ChannelEditorPage::fillControls(bool keepInputWhenZero) {
    const acquisition::SettingsRecord& s = *m_env.settings;
    const int c = editedChannel();
    const QSignalBlocker blockLabel(LabeledEdit1->edit());
    const QSignalBlocker blockNote(LabeledEdit2->edit());
    const QSignalBlocker blockCoefficient(LabeledEdit6->edit());
    const QSignalBlocker blockFunction(ComboBox1);
    CheckBox1->setChecked(s.active(c));
    if (!keepInputWhenZero || s.inputNumber(c) != 0) {
        UpDown2->setPosition(s.inputNumber(c));
    }
    UpDown3->setPosition(s.bufferLength(c));
    Edit4->setText(QString::number(s.bufferLength(c)));
    LabeledEdit1->setText(s.channelName(c));
    LabeledEdit2->setText(s.channelNote(c));
    ComboBox1->setCurrentIndex(s.functionIndex(c) < ComboBox1->count() ? s.functionIndex(c) : -1);
    UpDown4->setPosition(s.decimalPlaces(c));
    CheckBox3->setChecked(s.addGraph(c));
    LabeledEdit6->setText(QString::number(s.chartCoefficient(c)));
    UpDown13->setPosition(s.operand1(c));
    UpDown21->setPosition(s.operand2(c));
    UpDown22->setPosition(s.operand3(c));
}

void ChannelEditorPage::applyFunctionRules(bool functionChange) {
    const int f = m_env.settings->functionIndex(editedChannel());
    if (usesTwoOperands(f)) {
        showOperandControls(true);
        Label34->setText(f == 2 ? QStringLiteral("-k") : QStringLiteral("+k"));
        setInputControlsEnabled(false);
        setBufferControlsEnabled(false);
    } else if (f == kMedianFunction) {
        if (functionChange) {
            LabeledEdit3->setVisible(false);
            UpDown13->setVisible(false);
            Edit35->setVisible(false);
            UpDown21->setVisible(false);
        }
    } else {
        showOperandControls(false);
        setBufferControlsEnabled(true);
        if (functionChange || !m_env.monitoringRunning()) {
            setInputControlsEnabled(true);
        }
    }
    Label36->setVisible(f == kSum3Function);
    Edit36->setVisible(f == kSum3Function);
    UpDown22->setVisible(f == kSum3Function);
    CheckBox18->setVisible(f == kPowerFunction);
}

void ChannelEditorPage::showOperandControls(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{LabeledEdit3, UpDown13, Edit35, UpDown21,
                                                      Label12, Label34}) {
        w->setVisible(on);
    }
}

void ChannelEditorPage::setInputControlsEnabled(bool on) {
    Edit3->setEnabled(on);
    UpDown2->setEnabled(on);
}

void ChannelEditorPage::setBufferControlsEnabled(bool on) {
    Edit4->setEnabled(on);
    UpDown3->setEnabled(on);
}

void ChannelEditorPage::setMonitoringState(bool running) {
    if (running) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 UpDown2, ComboBox1, UpDown13, UpDown21, Edit3, LabeledEdit3, Edit35, Label9,
                 Label13, Label12, Label34, Label36, Edit36, UpDown22, CheckBox1, Button3}) {
            w->setEnabled(false);
        }
        return;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             ComboBox1, UpDown13, UpDown21, LabeledEdit3, Edit35, Label9, Label13, Label12, Label34,
             CheckBox1, Button3, Label36, Edit36, UpDown22}) {
        w->setEnabled(true);
    }
    const int f = m_env.settings->functionIndex(UpDown1->position());
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
    const QSignalBlocker block(ComboBox1);
    for (int index = 15; index >= 12; --index) {
        if (index < ComboBox1->count()) {
            ComboBox1->removeItem(index);
        }
    }
    const std::pair<int, QString> polish[] = {
        {0, QStringLiteral("ŚREDNIA")},       {1, QStringLiteral("SUMA2")},
        {2, QStringLiteral("RÓŻNICA")},       {3, QStringLiteral("WART. SKUTECZNA")},
        {4, QStringLiteral("P(moc czynna)")}, {5, QStringLiteral("S(moc pozorna)")},
        {6, QStringLiteral("Q(moc bierna)")}, {10, QStringLiteral("SUMA3")},
    };
    for (const auto& [index, text] : polish) {
        ComboBox1->setItemText(index, text);
    }
}

QStringList ChannelEditorPage::functionNames() const {
    QStringList names;
    for (int i = 0; i < ComboBox1->count(); ++i) {
        names << ComboBox1->itemText(i);
    }
    return names;
}

bool ChannelEditorPage::zeroChecked() const {
    return CheckBox18->isChecked();
}

std::optional<VectorChannel> ChannelEditorPage::vectorChannel() const {
    if (!CheckBox19->isChecked()) {
        return std::nullopt;
    }
    return VectorChannel{common::parseInt(LabeledEdit21->text()),
                         common::parseInt(LabeledEdit22->text()),
                         common::parseInt(LabeledEdit23->text())};
}

void ChannelEditorPage::toggleAdvancedPanel() {
    const bool unfold = m_advancedFields->isHidden();
    Panel27->setFixedHeight(unfold ? kUnfoldedHeight : kFoldedHeight);
    m_advancedFields->setVisible(unfold);
    Bevel1->setVisible(unfold);
    Label68->setText(unfold ? unfoldedCaption() : foldedCaption());
}

bool ChannelEditorPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label68 && event->type() == QEvent::MouseButtonRelease) {
        toggleAdvancedPanel();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ChannelEditorPage::showInputDescriptionFromEdit() {
    bool ok = false;
    const int input = Edit3->text().trimmed().toInt(&ok);
    if (ok) {
        Label5->setText(m_env.inputDescription(input));
    }
}

void ChannelEditorPage::onInputClicked(int input) {
    const int c = editedChannel();
    m_env.settings->setInputNumber(c, input);
    Label5->setText(m_env.settings->functionIndex(c) == kAuxValueFunction
                        ? QStringLiteral("AL154 k") + QString::number(input)
                        : m_env.inputDescription(input));
}

void ChannelEditorPage::onCoefficientEdited(const QString& text) {
    platform::runGuarded(*m_env.messages, [this, &text] {
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
    if (const auto chosen = m_env.dialogs->chooseColor(m_dialogColor)) {
        m_dialogColor = *chosen;
    }
    // A cancelled dialog still colours the series, with the colour it held before it opened.
    m_chart->setSeriesColor(c - 1, m_dialogColor);
    m_env.settings->setSeriesColor(c, MonitorChart::colorToRecord(m_chart->seriesColor(c - 1)));
    replotChart();
}

void ChannelEditorPage::replotChart() {
    m_chart->replot(QCustomPlot::rpQueuedReplot);
}

} // namespace korvanta::chart::ui
