#include "bench/ui/bench_settings_page.h"

#include "bench/parameter_text.h"
#include "bench/ui/parameter_edit_binding.h"
#include "common/ui/named_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace korvanta::bench::ui {
namespace {

using common::ui::makeButton;
using common::ui::setTextSilently;

const std::array<QString, 4> kCadenceCaptions = {
    QStringLiteral("Częstość dla 0 - t1 [s]"), QStringLiteral("Częstość dla t1 - t2 [s]"),
    QStringLiteral("Częstość dla t2 - t3 [s]"), QStringLiteral("Częstość dla t3 - t4 [s]")};

} // namespace

BenchSettingsPage::BenchSettingsPage(acquisition::SettingsRecord& record,
                                     platform::Messages& messages, QWidget* parent)
    : QWidget(parent), m_record(record) {
    setObjectName(QStringLiteral("TabSheet12"));
    setWindowTitle(QStringLiteral("Ustawienia"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildParameters());
    layout->addWidget(buildTestTypeAndButtons());
    layout->addStretch();
    bindEdits(messages);
}

QWidget* BenchSettingsPage::buildParameters() {
    auto* box = new QWidget(this);
    LabeledEdit24 = new Edit(QStringLiteral("LabeledEdit24"),
                             QStringLiteral("Górny zakres obciążenia [kN]"), box);
    LabeledEdit25 =
        new Edit(QStringLiteral("LabeledEdit25"), QStringLiteral("Krok siły [kN]"), box);
    LabeledEdit27 = new Edit(QStringLiteral("LabeledEdit27"),
                             QStringLiteral("Górny zakres przesunięcia [mm]"), box);
    LabeledEdit28 = new Edit(QStringLiteral("LabeledEdit28"), QStringLiteral("Czas To [min]"), box);
    LabeledEdit29 =
        new Edit(QStringLiteral("LabeledEdit29"), QStringLiteral("Czas Tpo [min]"), box);
    for (std::size_t phase = 0; phase < m_cadenceEdits.size(); ++phase) {
        m_cadenceEdits[phase] =
            new Edit(QStringLiteral("LabeledEdit%1").arg(30 + static_cast<int>(phase)),
                     kCadenceCaptions[phase], box);
    }
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(LabeledEdit24, 0, 0);
    grid->addWidget(LabeledEdit25, 1, 0);
    grid->addWidget(LabeledEdit27, 2, 0);
    grid->addWidget(LabeledEdit28, 3, 0);
    grid->addWidget(LabeledEdit29, 4, 0);
    for (std::size_t phase = 0; phase < m_cadenceEdits.size(); ++phase) {
        grid->addWidget(m_cadenceEdits[phase], static_cast<int>(phase), 1);
    }
    return box;
}

QWidget* BenchSettingsPage::buildTestTypeAndButtons() {
    auto* box = new QWidget(this);
    auto* type = new QGroupBox(box);
    RadioButton9 = new QRadioButton(QStringLiteral("Próba zgodności z normą ZUAT-15/"), type);
    RadioButton9->setObjectName(QStringLiteral("RadioButton9"));
    RadioButton10 = new QRadioButton(QStringLiteral("Próba odkształcenia"), type);
    RadioButton10->setObjectName(QStringLiteral("RadioButton10"));
    RadioButton10->setChecked(true);
    auto* typeLayout = new QVBoxLayout(type);
    typeLayout->addWidget(RadioButton9);
    typeLayout->addWidget(RadioButton10);

    Button17 = makeButton(QStringLiteral("Button17"), QStringLiteral("USTAWIENIA"), box);
    Button18 = makeButton(QStringLiteral("Button18"), QStringLiteral("RAPORT"), box);
    Button18->setToolTip(QStringLiteral(
        "Utworzenie dodatkowego pliku (PlikRaportu.ods), potrzebnego do utworzenia raportu."));
    Button20 = makeButton(QStringLiteral("Button20"), QStringLiteral("OTWÓRZ SZABLON"), box);

    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(type, 0, 0, 1, 3);
    layout->addWidget(Button17, 1, 0);
    layout->addWidget(Button18, 1, 1);
    layout->addWidget(Button20, 1, 2);

    connect(RadioButton9, &QRadioButton::clicked, this, [this] { m_record.setTestType(1); });
    connect(RadioButton10, &QRadioButton::clicked, this, [this] { m_record.setTestType(0); });
    connect(Button17, &QPushButton::clicked, this, &BenchSettingsPage::settingsClicked);
    connect(Button18, &QPushButton::clicked, this, &BenchSettingsPage::reportClicked);
    connect(Button20, &QPushButton::clicked, this, &BenchSettingsPage::openTemplateClicked);
    return box;
}

void BenchSettingsPage::bindEdits(platform::Messages& messages) {
    acquisition::SettingsRecord* record = &m_record;
    const auto bindComma = [&messages, record](Edit* edit,
                                               void (acquisition::SettingsRecord::*set)(double)) {
        bindParameterEdit(edit->edit(), messages, [record, set](const QString& text) {
            if (const auto value = parseCommaDouble(text)) {
                (record->*set)(*value);
            }
        });
    };
    const auto bindInt = [&](Edit* edit, std::function<void(int)> set) {
        bindParameterEdit(edit->edit(), messages, [set](const QString& text) {
            if (const auto value = parseOptionalInt(text)) {
                set(*value);
            }
        });
    };
    bindComma(LabeledEdit24, &acquisition::SettingsRecord::setUpperLoad);
    bindComma(LabeledEdit25, &acquisition::SettingsRecord::setForceStep);
    bindComma(LabeledEdit27, &acquisition::SettingsRecord::setUpperDisplacement);
    bindInt(LabeledEdit28, [this](int v) { m_record.setTimeTo(v); });
    bindInt(LabeledEdit29, [this](int v) { m_record.setTimeTpo(v); });
    for (std::size_t phase = 0; phase < m_cadenceEdits.size(); ++phase) {
        bindInt(m_cadenceEdits[phase],
                [this, phase](int v) { m_record.setChartCadence(static_cast<int>(phase), v); });
    }
}

void BenchSettingsPage::loadFromRecord() {
    setTextSilently(LabeledEdit24->edit(), commaText(m_record.upperLoad()));
    setTextSilently(LabeledEdit25->edit(), commaText(m_record.forceStep()));
    setTextSilently(LabeledEdit27->edit(), commaText(m_record.upperDisplacement()));
    setTextSilently(LabeledEdit28->edit(), QString::number(m_record.timeTo()));
    setTextSilently(LabeledEdit29->edit(), QString::number(m_record.timeTpo()));
    for (std::size_t phase = 0; phase < m_cadenceEdits.size(); ++phase) {
        setTextSilently(m_cadenceEdits[phase]->edit(),
                        QString::number(m_record.chartCadence(static_cast<int>(phase))));
    }
    (m_record.testType() == 1 ? RadioButton9 : RadioButton10)->setChecked(true);
}

QStringList BenchSettingsPage::testParameterTexts() const {
    return {LabeledEdit24->text(), LabeledEdit25->text(), LabeledEdit27->text(),
            LabeledEdit28->text(), LabeledEdit29->text()};
}

} // namespace korvanta::bench::ui
