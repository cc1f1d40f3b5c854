#pragma once
// The report panel shown in place of the file browser while the analysis is open.

#include <QPlainTextEdit>
#include <QToolBar>
#include <QWidget>

namespace korvanta::files::ui {

class ReportPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReportPanel(QWidget* parent = nullptr);

    QPlainTextEdit* memo3() const { return Memo3; }
    QToolBar* toolBar7() const { return ToolBar7; }

private:
    QPlainTextEdit* Memo3; // analysis report lines
    QToolBar* ToolBar7;    // commands on the report
};

} // namespace korvanta::files::ui
