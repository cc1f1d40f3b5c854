#pragma once
// The test record on the controls: "USTAWIENIA" fills and shows the record window, "ZATWIERDŹ"
// confirms it and opens the report file, "RAPORT" writes the template data file, and
// "OTWÓRZ SZABLON" opens it with the template in the spreadsheet program. Holds the
// settings-confirmed flag that START asks for.

#include "acquisition/settings_record.h"
#include "platform/services.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace korvanta::bench::ui {

class BenchSettingsPage;
class TForm10;

class TestRecordController : public QObject {
    Q_OBJECT
public:
    // `testLog` gives the current lines of the test log; the data directory is read from
    // `settings` at every click, so a changed directory applies at once.
    TestRecordController(BenchSettingsPage& settingsPage, TForm10& form,
                         const acquisition::SettingsRecord& settings,
                         const platform::Services& services, std::function<QStringList()> testLog,
                         QObject* parent = nullptr);

    // Whether a complete record was confirmed; START is refused while it is not.
    bool confirmed() const { return m_confirmed; }
    // The report name and the value lines of the last confirmed record; empty when not confirmed.
    QString reportName() const { return m_reportName; }
    QStringList itemValues() const { return m_itemValues; }

signals:
    void confirmedChanged(bool confirmed);

private:
    void Button17Click(); // "USTAWIENIA"
    void Button1Click();  // TForm10 "ZATWIERDŹ"
    void Button18Click(); // "RAPORT"
    void Button20Click(); // "OTWÓRZ SZABLON"

    QStringList valueLines() const;
    void setConfirmed(bool confirmed);
    void showFailure(const QString& reason);

    BenchSettingsPage& m_settingsPage;
    TForm10& m_form;
    const acquisition::SettingsRecord& m_settings;
    platform::Services m_services;
    std::function<QStringList()> m_testLog;
    bool m_confirmed = false;
    QString m_reportName;
    QStringList m_itemValues;
};

} // namespace korvanta::bench::ui
