#include "files/ui/report_panel.h"

#include <QVBoxLayout>

namespace korvanta::files::ui {

ReportPanel::ReportPanel(QWidget* parent)
    : QWidget(parent), Memo3(new QPlainTextEdit(this)), ToolBar7(new QToolBar(this)) {
    setObjectName(QStringLiteral("Panel24"));
    Memo3->setObjectName(QStringLiteral("Memo3"));
    ToolBar7->setObjectName(QStringLiteral("ToolBar7"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ToolBar7);
    layout->addWidget(Memo3, 1);
    hide();
}

} // namespace korvanta::files::ui
