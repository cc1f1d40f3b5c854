#pragma once
// The about box: maker, program name and version, and the update and support buttons.

#include "platform/services.h"

#include <QDialog>
#include <QPushButton>
#include <QToolButton>

namespace korvanta::about::ui {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    // `programPath` is the running program's file, the one a downloaded version replaces.
    TForm5(const platform::Services& services, QString programPath, QWidget* parent = nullptr);

    QToolButton* checkVersionButton() const { return SpeedButton1; }
    QToolButton* downloadButton() const { return SpeedButton3; }
    QToolButton* supportButton() const { return SpeedButton2; }

private:
    void SpeedButton1Click();
    void SpeedButton3Click();
    void SpeedButton2Click();
    platform::Messages* m_messages;
    platform::Launcher* m_launcher;
    platform::Download* m_download;
    QString m_programPath;
    QToolButton* SpeedButton1; // show the newest published version
    QToolButton* SpeedButton3; // download the newest program file
    QToolButton* SpeedButton2; // open the support page
    QPushButton* m_ok;
};

} // namespace korvanta::about::ui
