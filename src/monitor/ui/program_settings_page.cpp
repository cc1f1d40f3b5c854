#include "monitor/ui/program_settings_page.h"

#include "common/ui/named_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace korvanta::monitor::ui {
namespace {

using common::ui::LabeledEdit;
using common::ui::makeButton;
using common::ui::makeCheckBox;
using common::ui::makeEdit;
using common::ui::makeLabel;
using common::ui::named;
using common::ui::setCheckedSilently;
using common::ui::setTextSilently;

LabeledEdit* makeLabeledEdit(const QString& name, const QString& caption, const QString& text,
                             const QString& hint, QWidget* parent) {
    auto* edit = new LabeledEdit(name, caption, parent);
    edit->setText(text);
    edit->setToolTip(hint);
    return edit;
}

QGroupBox* makeGroup(const QString& name, const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

} // namespace

ProgramSettingsPage::ProgramSettingsPage(acquisition::SettingsRecord& record, QWidget* parent)
    : QWidget(parent), m_record(record) {
    setObjectName(QStringLiteral("TabSheet4"));
    setWindowTitle(QStringLiteral("Ustawienia programu"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFileGroup());
    layout->addWidget(buildChartGroup());
    layout->addWidget(buildModeGroups());
    layout->addStretch();
    connectRecordWrites();
}

QWidget* ProgramSettingsPage::buildFileGroup() {
    auto* box = new QWidget(this);
    LabeledEdit8 = makeLabeledEdit(QStringLiteral("LabeledEdit8"), QStringLiteral("Nazwa pliku"),
                                   QStringLiteral("plik"), QString(), box);
    LabeledEdit7 = makeLabeledEdit(
        QStringLiteral("LabeledEdit7"), QStringLiteral("Opis pliku"), QStringLiteral("opis_pliku"),
        QStringLiteral("Opis pliku, który będzie w pierwszej linii zapisanego pliku"), box);
    CheckBox4 =
        makeCheckBox(QStringLiteral("CheckBox4"), QStringLiteral("Zapisz do pliku co"), box);
    Edit9 = makeEdit(QStringLiteral("Edit9"), QString(), box);
    Edit9->setMaxLength(3);
    Edit9->setMaximumWidth(40);
    LabeledEdit9 = makeLabeledEdit(
        QStringLiteral("LabeledEdit9"), QStringLiteral("Okres pomiarów"), QString(),
        QStringLiteral("Ustaw okres pomiarów w odpowiednim formacie [hh:mm:ss.zzz]"), box);
    Button2 = makeButton(QStringLiteral("Button2"), QStringLiteral("Odśwież okres"), box,
                         QStringLiteral("Kliknij, jeśli zmieniono okres pomiarów"));
    LabeledEdit4 =
        makeLabeledEdit(QStringLiteral("LabeledEdit4"), QStringLiteral("Limit linii"),
                        QStringLiteral("0"), QStringLiteral("wartość 0 oznacza brak limitu"), box);
    Button5 = makeButton(QStringLiteral("Button5"), QStringLiteral("Zapisz konfig."), box,
                         QStringLiteral("Zapisz konfigurację"));
    Button4 = makeButton(QStringLiteral("Button4"), QStringLiteral("Otwórz konfig."), box,
                         QStringLiteral("Otwórz konfigurację"));

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(LabeledEdit8, 0, 0);
    grid->addWidget(LabeledEdit7, 0, 1, 1, 2);
    auto* saving = new QHBoxLayout;
    saving->addWidget(CheckBox4);
    saving->addWidget(Edit9);
    saving->addStretch();
    grid->addLayout(saving, 1, 0);
    grid->addWidget(LabeledEdit4, 1, 1);
    grid->addWidget(LabeledEdit9, 2, 0);
    grid->addWidget(Button2, 2, 1, Qt::AlignBottom);
    grid->addWidget(Button5, 3, 0);
    grid->addWidget(Button4, 3, 1);
    return box;
}

QWidget* ProgramSettingsPage::buildChartGroup() {
    auto* box = new QWidget(this);
    Edit10 = makeEdit(QStringLiteral("Edit10"), QStringLiteral("-30"), box);
    Edit11 = makeEdit(QStringLiteral("Edit11"), QStringLiteral("30"), box);
    Edit21 = makeEdit(QStringLiteral("Edit21"), QStringLiteral("1"), box);
    Edit21->setMaximumWidth(40);
    UpDown14 = new common::ui::UpDown(QStringLiteral("UpDown14"), Edit21, 1, 20, box);
    LabeledEdit10 = makeLabeledEdit(QStringLiteral("LabeledEdit10"),
                                    QStringLiteral("Współczynnik wykresu"), QStringLiteral("1"),
                                    QStringLiteral("Wartość z przedziału od 1 do 100"), box);
    LabeledEdit11 = makeLabeledEdit(QStringLiteral("LabeledEdit11"),
                                    QStringLiteral("Tytuł wykresu"), QString(), QString(), box);
    LabeledEdit13 = makeLabeledEdit(QStringLiteral("LabeledEdit13"),
                                    QStringLiteral("Opis lewej osi"), QString(), QString(), box);
    LabeledEdit14 = makeLabeledEdit(QStringLiteral("LabeledEdit14"),
                                    QStringLiteral("Opis prawej osi"), QString(), QString(), box);
    CheckBox21 = makeCheckBox(QStringLiteral("CheckBox21"),
                              QStringLiteral("Ustaw automatycznie granice"), box);
    CheckBox20 =
        makeCheckBox(QStringLiteral("CheckBox20"), QStringLiteral("rzeczywisty czas pomiaru"), box);

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(makeLabel(QStringLiteral("Label24"), QStringLiteral("Granice wykresu"), box), 0,
                    0, 1, 4);
    grid->addWidget(makeLabel(QStringLiteral("Label25"), QStringLiteral("Dolna"), box), 1, 0);
    grid->addWidget(Edit10, 1, 1);
    grid->addWidget(makeLabel(QStringLiteral("Label26"), QStringLiteral("Górna"), box), 1, 2);
    grid->addWidget(Edit11, 1, 3);
    grid->addWidget(CheckBox21, 2, 0, 1, 4);
    auto* width = new QHBoxLayout;
    width->addWidget(makeLabel(QStringLiteral("Label23"), QStringLiteral("Grubość linii"), box));
    width->addWidget(Edit21);
    width->addWidget(UpDown14);
    width->addStretch();
    grid->addLayout(width, 3, 0, 1, 4);
    grid->addWidget(LabeledEdit10, 4, 0, 1, 2);
    grid->addWidget(LabeledEdit11, 4, 2, 1, 2);
    grid->addWidget(LabeledEdit13, 5, 0, 1, 2);
    grid->addWidget(LabeledEdit14, 5, 2, 1, 2);
    grid->addWidget(CheckBox20, 6, 0, 1, 4);
    return box;
}

QWidget* ProgramSettingsPage::buildModeGroups() {
    auto* box = new QWidget(this);
    RadioGroup1 = makeGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Tryb pracy"), box);
    RadioGroup1->setToolTip(QStringLiteral("Wybierz pomiary lub raporty"));
    RadioButton1 = named(new QRadioButton(QStringLiteral("Pomiary"), RadioGroup1),
                         QStringLiteral("RadioButton1"));
    RadioButton2 = named(new QRadioButton(QStringLiteral("Raporty"), RadioGroup1),
                         QStringLiteral("RadioButton2"));
    RadioGroup2 = makeGroup(QStringLiteral("RadioGroup2"), QStringLiteral("Typ wykresu"), box);
    RadioButton3 = named(new QRadioButton(QStringLiteral("Liniowy"), RadioGroup2),
                         QStringLiteral("RadioButton3"));
    RadioButton4 = named(new QRadioButton(QStringLiteral("Słupkowy"), RadioGroup2),
                         QStringLiteral("RadioButton4"));
    RadioGroup3 = makeGroup(QStringLiteral("RadioGroup3"), QStringLiteral("Pomiary"), box);
    RadioButton5 = named(new QRadioButton(QStringLiteral("Statyczne"), RadioGroup3),
                         QStringLiteral("RadioButton5"));
    RadioButton6 = named(new QRadioButton(QStringLiteral("Dynamiczne"), RadioGroup3),
                         QStringLiteral("RadioButton6"));
    RadioButton1->setChecked(true);
    RadioButton3->setChecked(true);
    RadioButton5->setChecked(true);

    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto addGroup = [layout](QGroupBox* group, QRadioButton* first, QRadioButton* second) {
        auto* column = new QVBoxLayout(group);
        column->addWidget(first);
        column->addWidget(second);
        layout->addWidget(group);
    };
    addGroup(RadioGroup1, RadioButton1, RadioButton2);
    addGroup(RadioGroup2, RadioButton3, RadioButton4);
    addGroup(RadioGroup3, RadioButton5, RadioButton6);
    return box;
}

void ProgramSettingsPage::connectRecordWrites() {
    connect(LabeledEdit9->edit(), &QLineEdit::textChanged, this,
            [this](const QString& text) { m_record.setPeriodText(text); });
    connect(Edit9, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_record.setSaveEveryText(text); });
    connect(CheckBox4, &QCheckBox::toggled, this, [this](bool on) { m_record.setSaveEvery(on); });
    connect(Edit10, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_record.setLowerLimitText(text); });
    connect(Edit11, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_record.setUpperLimitText(text); });
    connect(LabeledEdit13->edit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        m_record.setLeftAxisTitle(text);
        emitAxisTitles();
    });
    connect(LabeledEdit14->edit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        m_record.setRightAxisTitle(text);
        emitAxisTitles();
    });
    connect(LabeledEdit11->edit(), &QLineEdit::textChanged, this,
            &ProgramSettingsPage::subtitleChanged);
    connect(UpDown14, &common::ui::UpDown::clicked, this, &ProgramSettingsPage::lineWidthChanged);
    connect(RadioButton1, &QRadioButton::clicked, this, &ProgramSettingsPage::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &ProgramSettingsPage::RadioButton2Click);
    connect(RadioButton3, &QRadioButton::clicked, this, [this] {
        m_record.setBarChart(false);
        emit barModeChanged(false);
    });
    connect(RadioButton4, &QRadioButton::clicked, this, [this] {
        m_record.setBarChart(true);
        emit barModeChanged(true);
    });
    connect(RadioButton5, &QRadioButton::clicked, this, [this] { m_record.setDynamicMode(false); });
    connect(RadioButton6, &QRadioButton::clicked, this, [this] { m_record.setDynamicMode(true); });
    connect(CheckBox20, &QCheckBox::toggled, this,
            [this](bool on) { m_record.setRealTimeStamps(on); });
    connect(CheckBox21, &QCheckBox::toggled, this, [this](bool on) {
        m_record.setAutoLimits(on);
        if (on) {
            emit autoLimitsChecked();
        }
    });
    connect(Button2, &QPushButton::clicked, this, &ProgramSettingsPage::refreshPeriodClicked);
    connect(Button5, &QPushButton::clicked, this, &ProgramSettingsPage::saveConfigClicked);
    connect(Button4, &QPushButton::clicked, this, &ProgramSettingsPage::openConfigClicked);
}

void ProgramSettingsPage::RadioButton1Click() {
    m_record.setReportsMode(false);
}
void ProgramSettingsPage::RadioButton2Click() {
    m_record.setReportsMode(true);
}

void ProgramSettingsPage::emitAxisTitles() {
    emit axisTitlesChanged(LabeledEdit13->text(), LabeledEdit14->text());
}

void ProgramSettingsPage::loadFromRecord() {
    loadPeriodAndSaving();
    loadLimitsAndTitles();
    loadReportsMode();
    setCheckedSilently(m_record.barChart() ? RadioButton4 : RadioButton3, true);
    setCheckedSilently(m_record.dynamicMode() ? RadioButton6 : RadioButton5, true);
    setCheckedSilently(CheckBox20, m_record.realTimeStamps());
    loadAutoLimits();
}

void ProgramSettingsPage::loadConfigurationFields() {
    loadAutoLimits();
    loadPeriodAndSaving();
    loadLimitsAndTitles();
    loadReportsMode();
}

void ProgramSettingsPage::loadPeriodAndSaving() {
    setTextSilently(LabeledEdit9->edit(), m_record.periodText());
    setTextSilently(Edit9, m_record.saveEveryText());
    setCheckedSilently(CheckBox4, m_record.saveEvery());
}

void ProgramSettingsPage::loadLimitsAndTitles() {
    setTextSilently(Edit10, m_record.lowerLimitText());
    setTextSilently(Edit11, m_record.upperLimitText());
    setTextSilently(LabeledEdit13->edit(), m_record.leftAxisTitle());
    setTextSilently(LabeledEdit14->edit(), m_record.rightAxisTitle());
}

void ProgramSettingsPage::loadAutoLimits() {
    setCheckedSilently(CheckBox21, m_record.autoLimits());
}

void ProgramSettingsPage::loadReportsMode() {
    setCheckedSilently(m_record.reportsMode() ? RadioButton2 : RadioButton1, true);
}

void ProgramSettingsPage::setModeButtonsEnabled(bool enabled) {
    for (QRadioButton* button :
         {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6}) {
        button->setEnabled(enabled);
    }
}

void ProgramSettingsPage::setSaveEveryChecked(bool checked) {
    CheckBox4->setChecked(checked);
}

QString ProgramSettingsPage::fileName() const {
    return LabeledEdit8->text();
}
QString ProgramSettingsPage::fileDescription() const {
    return LabeledEdit7->text();
}
QString ProgramSettingsPage::periodText() const {
    return LabeledEdit9->text();
}
QString ProgramSettingsPage::saveEveryText() const {
    return Edit9->text();
}
bool ProgramSettingsPage::saveEveryChecked() const {
    return CheckBox4->isChecked();
}
QString ProgramSettingsPage::lineLimitText() const {
    return LabeledEdit4->text();
}
QString ProgramSettingsPage::lowerLimitText() const {
    return Edit10->text();
}
QString ProgramSettingsPage::upperLimitText() const {
    return Edit11->text();
}
QString ProgramSettingsPage::chartFactorText() const {
    return LabeledEdit10->text();
}
QString ProgramSettingsPage::subtitle() const {
    return LabeledEdit11->text();
}
int ProgramSettingsPage::lineWidth() const {
    return UpDown14->position();
}
bool ProgramSettingsPage::measurementsSelected() const {
    return RadioButton1->isChecked();
}
bool ProgramSettingsPage::reportsSelected() const {
    return RadioButton2->isChecked();
}
bool ProgramSettingsPage::staticMode() const {
    return RadioButton5->isChecked();
}
bool ProgramSettingsPage::dynamicMode() const {
    return RadioButton6->isChecked();
}

} // namespace korvanta::monitor::ui
