#include "bench/ui/tform9.h"

#include "bench/parameter_text.h"
#include "bench/ui/parameter_edit_binding.h"
#include "common/number_format.h"

#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace korvanta::bench::ui {
namespace {

const QString kUp = QStringLiteral("#1 x0;0 y250;250 &");
const QString kStop = QStringLiteral("#1 x0;0 y0;0 &");
const QString kDown = QStringLiteral("#1 x250;250 y0;0 &");

struct CommandDesign {
    const char* button;
    const char* caption;
    const QString& text;
};

// Per command (record order): its button and the text the window shows at first.
const std::array<CommandDesign, TForm9::kCommandCount> kCommands = {{
    {"Button16", "^", kUp},
    {"Button17", "Stop", kStop},
    {"Button18", "v", kDown},
    {"Button19", "^", kUp},
    {"Button20", "v", kDown},
    {"Button21", "v", kDown},
    {"Button22", "^", kUp},
    {"Button23", "^", kUp},
    {"Button24", "v", kDown},
}};

const std::array<QString, 4> kPhaseNames = {QStringLiteral("0 - t1"), QStringLiteral("t1 - t2"),
                                            QStringLiteral("t2 - t3"), QStringLiteral("t3 - t4")};

// A number as the edits read with the separator in force show it.
QString currentText(double value, int digits) {
    return QString::number(value, 'g', digits)
        .replace(QLatin1Char('.'), common::decimalSeparator());
}

void setTextSilently(QLineEdit* edit, const QString& text) {
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

} // namespace

TForm9::TForm9(acquisition::SettingsRecord& record, platform::Messages& messages, QWidget* parent)
    : QDialog(parent), m_record(record) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(QStringLiteral("Parametry badania"));
    LabeledEdit26 =
        new Edit(QStringLiteral("LabeledEdit26"), QStringLiteral("Prdkość obrotów silinka"), this);
    m_extraSettings = buildExtraSettings();
    m_emergency = buildEmergency();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabeledEdit26);
    layout->addWidget(m_extraSettings);
    layout->addWidget(m_emergency);
    layout->addStretch();
    bindEdits(messages);
    setServiceMode(false);
}

QGroupBox* TForm9::buildExtraSettings() {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("extraSettingsGroup"));
    auto* grid = new QGridLayout(group);
    for (std::size_t phase = 0; phase < m_phasePeriodEdits.size(); ++phase) {
        m_phasePeriodEdits[phase] =
            new Edit(QStringLiteral("LabeledEdit%1").arg(41 + static_cast<int>(phase)),
                     kPhaseNames[phase], group);
        grid->addWidget(m_phasePeriodEdits[phase], 0, static_cast<int>(phase));
    }
    LabeledEdit40 =
        new Edit(QStringLiteral("LabeledEdit40"), QStringLiteral("histereza pomiarowa"), group);
    LabeledEdit34 = new Edit(QStringLiteral("LabeledEdit34"), QStringLiteral("nr kanału F"), group);
    LabeledEdit35 = new Edit(QStringLiteral("LabeledEdit35"), QStringLiteral("nr kanału L"), group);
    LabeledEdit36 = new Edit(QStringLiteral("LabeledEdit36"), QStringLiteral("Max F"), group);
    LabeledEdit37 = new Edit(QStringLiteral("LabeledEdit37"), QStringLiteral("Max L"), group);
    LabeledEdit38 = new Edit(QStringLiteral("LabeledEdit38"), QStringLiteral("rozkaz"), group);
    LabeledEdit39 = new Edit(QStringLiteral("LabeledEdit39"), QStringLiteral("rozkaz"), group);
    LabeledEdit1 = new Edit(QStringLiteral("LabeledEdit1"), QStringLiteral("Siła [kN]"), group);
    LabeledEdit2 =
        new Edit(QStringLiteral("LabeledEdit2"), QStringLiteral("Czas cofania [s]"), group);
    LabeledEdit3 =
        new Edit(QStringLiteral("LabeledEdit3"), QStringLiteral("Długość bufora"), group);
    // Commands longer than their 24 characters would not fit the control block's copy.
    LabeledEdit38->edit()->setMaxLength(24);
    LabeledEdit39->edit()->setMaxLength(24);
    grid->addWidget(LabeledEdit40, 1, 0);
    grid->addWidget(LabeledEdit34, 1, 1);
    grid->addWidget(LabeledEdit35, 1, 2);
    grid->addWidget(LabeledEdit36, 2, 0);
    grid->addWidget(LabeledEdit37, 2, 1);
    grid->addWidget(LabeledEdit38, 3, 0, 1, 2);
    grid->addWidget(LabeledEdit39, 3, 2, 1, 2);
    grid->addWidget(LabeledEdit1, 4, 0);
    grid->addWidget(LabeledEdit2, 4, 1);
    grid->addWidget(LabeledEdit3, 4, 2);
    for (int command = 3; command < kCommandCount; ++command) {
        addCommandRow(group, grid, 2 + command, command,
                      kPhaseNames[static_cast<std::size_t>((command - 3) / 2)]);
    }
    return group;
}

QGroupBox* TForm9::buildEmergency() {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("emergencyGroup"));
    auto* grid = new QGridLayout(group);
    for (int command = 0; command < 3; ++command) {
        addCommandRow(group, grid, command, command, QString());
    }
    return group;
}

void TForm9::addCommandRow(QWidget* parent, QGridLayout* grid, int row, int command,
                           const QString& caption) {
    const CommandDesign& design = kCommands[static_cast<std::size_t>(command)];
    auto* edit = new QLineEdit(design.text, parent);
    edit->setObjectName(QStringLiteral("Edit%1").arg(59 + command));
    edit->setMaxLength(24);
    auto* button = new QPushButton(QString::fromUtf8(design.caption), parent);
    button->setObjectName(QLatin1String(design.button));
    m_commandEdits[static_cast<std::size_t>(command)] = edit;
    m_commandButtons[static_cast<std::size_t>(command)] = button;
    grid->addWidget(new QLabel(caption, parent), row, 0);
    grid->addWidget(edit, row, 1, 1, 2);
    grid->addWidget(button, row, 3);
}

void TForm9::bindText(QLineEdit* edit, std::function<void(const QString&)> set) {
    connect(edit, &QLineEdit::textChanged, this, [this, set = std::move(set)](const QString& text) {
        set(text);
        emit parametersChanged();
    });
}

void TForm9::bindEdits(platform::Messages& messages) {
    const auto bindNumber = [&](Edit* edit, auto parse, auto store) {
        bindParameterEdit(edit->edit(), messages, [this, parse, store](const QString& text) {
            if (const auto value = parse(text)) {
                store(*value);
                emit parametersChanged();
            }
        });
    };
    for (std::size_t phase = 0; phase < m_phasePeriodEdits.size(); ++phase) {
        bindText(m_phasePeriodEdits[phase]->edit(), [this, phase](const QString& text) {
            m_record.setPhasePeriod(static_cast<int>(phase), text);
        });
    }
    bindNumber(LabeledEdit40, parseCommaDouble, [this](double v) { m_record.setHysteresis(v); });
    bindNumber(LabeledEdit34, parseOptionalInt, [this](int v) { m_record.setForceChannel(v); });
    bindNumber(LabeledEdit35, parseOptionalInt,
               [this](int v) { m_record.setDisplacementChannel(v); });
    bindNumber(LabeledEdit36, parseCurrentDouble,
               [this](double v) { m_record.setMaxForce(static_cast<float>(v)); });
    bindNumber(LabeledEdit37, parseCurrentDouble,
               [this](double v) { m_record.setMaxDisplacement(static_cast<float>(v)); });
    bindNumber(LabeledEdit26, parseCurrentDouble, [this](double v) { m_record.setMotorSpeed(v); });
    bindNumber(LabeledEdit1, parseCommaDouble,
               [this](double v) { m_record.setPreparationForce(v); });
    bindNumber(LabeledEdit2, parseOptionalInt, [this](int v) { m_record.setRetractionTime(v); });
    bindNumber(LabeledEdit3, parseOptionalInt,
               [this](int v) { m_record.setPreparationBufferLength(v); });
    bindText(LabeledEdit38->edit(),
             [this](const QString& text) { m_record.setExtraCommand(0, text); });
    bindText(LabeledEdit39->edit(),
             [this](const QString& text) { m_record.setExtraCommand(1, text); });
    for (int command = 0; command < kCommandCount; ++command) {
        bindText(commandEdit(command), [this, command](const QString& text) {
            m_record.setMotionCommand(command, text);
        });
    }
}

void TForm9::loadFromRecord() {
    for (std::size_t phase = 0; phase < m_phasePeriodEdits.size(); ++phase) {
        setTextSilently(m_phasePeriodEdits[phase]->edit(),
                        m_record.phasePeriod(static_cast<int>(phase)));
    }
    setTextSilently(LabeledEdit40->edit(), commaText(m_record.hysteresis()));
    setTextSilently(LabeledEdit34->edit(), QString::number(m_record.forceChannel()));
    setTextSilently(LabeledEdit35->edit(), QString::number(m_record.displacementChannel()));
    setTextSilently(LabeledEdit36->edit(), currentText(m_record.maxForce(), 7));
    setTextSilently(LabeledEdit37->edit(), currentText(m_record.maxDisplacement(), 7));
    setTextSilently(LabeledEdit38->edit(), m_record.extraCommand(0));
    setTextSilently(LabeledEdit39->edit(), m_record.extraCommand(1));
    setTextSilently(LabeledEdit26->edit(), currentText(m_record.motorSpeed(), 15));
    setTextSilently(LabeledEdit1->edit(), commaText(m_record.preparationForce()));
    setTextSilently(LabeledEdit2->edit(), QString::number(m_record.retractionTime()));
    setTextSilently(LabeledEdit3->edit(), QString::number(m_record.preparationBufferLength()));
    for (int command = 0; command < kCommandCount; ++command) {
        loadCommand(command);
    }
}

void TForm9::loadCommand(int index) {
    const QString stored = m_record.motionCommand(index);
    if (stored.isEmpty()) {
        m_record.setMotionCommand(index, commandEdit(index)->text());
    } else {
        setTextSilently(commandEdit(index), stored);
    }
}

void TForm9::setServiceMode(bool on) {
    m_extraSettings->setVisible(on);
    m_emergency->setVisible(on);
}

QLineEdit* TForm9::commandEdit(int index) const {
    return index >= 0 && index < kCommandCount ? m_commandEdits[static_cast<std::size_t>(index)]
                                               : nullptr;
}

QPushButton* TForm9::commandButton(int index) const {
    return index >= 0 && index < kCommandCount ? m_commandButtons[static_cast<std::size_t>(index)]
                                               : nullptr;
}

} // namespace korvanta::bench::ui
