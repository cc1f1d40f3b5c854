#include "files/ui/report_panel.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace korvanta::files::ui {

ReportPanel::ReportPanel(QWidget* parent)
    : QWidget(parent), Memo3(new QPlainTextEdit(this)), ToolBar7(new QToolBar(this)) {
    setObjectName(QStringLiteral("Panel24"));
    Memo3->setObjectName(QStringLiteral("Memo3"));
    ToolBar7->setObjectName(QStringLiteral("ToolBar7"));
    auto* save = new QToolButton(ToolBar7);
    save->setObjectName(QStringLiteral("ToolButton61"));
    save->setText(QStringLiteral("Save"));
    save->setToolTip(QStringLiteral("Save"));
    ToolBar7->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ToolBar7);
    layout->addWidget(Memo3, 1);
    hide();
}

} // namespace korvanta::files::ui
