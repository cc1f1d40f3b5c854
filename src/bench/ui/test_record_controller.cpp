#include "bench/ui/test_record_controller.h"

#include "bench/test_record.h"
#include "bench/ui/bench_settings_page.h"
#include "bench/ui/tform10.h"
#include "monitor/data_directory.h"

#include <QFileInfo>
#include <utility>

namespace korvanta::bench::ui {
namespace {

const QString kErrorCaption = QStringLiteral("Błąd");

} // namespace

TestRecordController::TestRecordController(BenchSettingsPage& settingsPage, TForm10& form,
                                           const acquisition::SettingsRecord& settings,
                                           const platform::Services& services,
                                           std::function<QStringList()> testLog, QObject* parent)
    : QObject(parent), m_settingsPage(settingsPage), m_form(form), m_settings(settings),
      m_services(services), m_testLog(std::move(testLog)) {
    connect(&m_settingsPage, &BenchSettingsPage::settingsClicked, this,
            &TestRecordController::Button17Click);
    connect(m_form.button1(), &QPushButton::clicked, this, &TestRecordController::Button1Click);
    connect(&m_settingsPage, &BenchSettingsPage::reportClicked, this,
            &TestRecordController::Button18Click);
    connect(&m_settingsPage, &BenchSettingsPage::openTemplateClicked, this,
            &TestRecordController::Button20Click);
}

QStringList TestRecordController::valueLines() const {
    return memoLines(m_form.memo2()->toPlainText());
}

void TestRecordController::Button17Click() {
    const ParameterFill fill =
        fillParameterLines(valueLines(), m_settingsPage.testParameterTexts());
    m_form.memo2()->setPlainText(memoText(fill.lines));
    for (const QString& message : fill.messages) {
        m_services.messages->show(message, kErrorCaption);
    }
    // Not modal: the operator may look up values in the main window while typing them.
    m_form.show();
    m_form.raise();
}

void TestRecordController::Button1Click() {
    const QStringList values = valueLines();
    const QString name = m_form.edit1()->text();
    if (!isTestRecordComplete(values, name)) {
        m_reportName.clear();
        m_itemValues.clear();
        setConfirmed(false);
        m_services.messages->show(QStringLiteral("Brak wymaganych ustawień"), kErrorCaption);
        return;
    }
    m_reportName = name;
    m_itemValues = values;
    setConfirmed(true);
    // The record itself is complete, so it stays confirmed when its file cannot be written; the
    // window stays open so the operator reads the file's name and can choose another one.
    const auto appended = appendTestRecord(m_settings.dataDirectory(), name, values);
    if (!appended) {
        showFailure(appended.reason());
        return;
    }
    m_form.close();
}

void TestRecordController::Button18Click() {
    const QStringList log = m_testLog ? m_testLog() : QStringList();
    const auto written = writeTemplateData(m_settings.dataDirectory(), valueLines(), log);
    if (!written) {
        // The values stay in the window, so nothing typed is lost before a second try.
        showFailure(written.reason());
        return;
    }
    m_form.memo2()->clear();
}

void TestRecordController::Button20Click() {
    const QString folder =
        QFileInfo(monitor::enterDataDirectory(m_settings.dataDirectory(), kTemplateFileName))
            .absolutePath();
    // A missing spreadsheet program or template is the system's matter and gives no message.
    m_services.launcher->openInSpreadsheet(kTemplateDataFileName, folder);
    m_services.launcher->openInSpreadsheet(kTemplateFileName, folder);
}

void TestRecordController::setConfirmed(bool confirmed) {
    if (m_confirmed == confirmed) {
        return;
    }
    m_confirmed = confirmed;
    emit confirmedChanged(confirmed);
}

void TestRecordController::showFailure(const QString& reason) {
    m_services.messages->show(QStringLiteral("Save error: ") + reason, kErrorCaption);
}

} // namespace korvanta::bench::ui
