#include "chart/ui/cursor_readout.h"

#include "chart/cursor_readout_text.h"
#include "chart/ui/chart_cursors.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvanta::chart::ui {

namespace {

constexpr int kTableHeight = 140;

QString positionText(const QString& name, std::optional<int> index) {
    return name + QStringLiteral(": ") +
           (index ? QStringLiteral("punkt %1").arg(*index) : QStringLiteral("—"));
}

} // namespace

CursorReadout::CursorReadout(ChartCursors& cursors, QWidget* parent)
    : QWidget(parent), m_cursors(cursors), m_positions(new QLabel(this)),
      m_table(new QTableWidget(this)), m_copy(new QPushButton(QStringLiteral("Kopiuj"), this)) {
    m_positions->setObjectName(QStringLiteral("CursorPositions"));
    m_table->setObjectName(QStringLiteral("CursorTable"));
    m_copy->setObjectName(QStringLiteral("CursorCopyButton"));
    const QStringList titles = cursorReadoutTitles();
    m_table->setColumnCount(static_cast<int>(titles.size()));
    m_table->setHorizontalHeaderLabels(titles);
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setMaximumHeight(kTableHeight);

    auto* top = new QHBoxLayout;
    top->addWidget(m_positions, 1);
    top->addWidget(m_copy);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(m_table);
    setVisible(false);

    connect(&m_cursors, &ChartCursors::switched, this, &QWidget::setVisible);
    connect(&m_cursors, &ChartCursors::changed, this, &CursorReadout::refresh);
    connect(m_copy, &QPushButton::clicked, this, &CursorReadout::copyToClipboard);
}

void CursorReadout::refresh() {
    showPositions();
    const std::vector<SeriesSpan> rows = m_cursors.spans();
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const QStringList cells = cursorReadoutCells(rows[static_cast<std::size_t>(r)]);
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = m_table->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                m_table->setItem(r, c, item);
            }
            item->setText(cells[c]);
        }
    }
}

void CursorReadout::showPositions() {
    m_positions->setText(
        positionText(QStringLiteral("A"), m_cursors.index(ChartCursors::Cursor::A)) +
        QStringLiteral("   ") +
        positionText(QStringLiteral("B"), m_cursors.index(ChartCursors::Cursor::B)));
}

void CursorReadout::copyToClipboard() {
    const std::vector<SeriesSpan> rows = m_cursors.spans();
    QApplication::clipboard()->setText(cursorReadoutText(rows));
}

} // namespace korvanta::chart::ui
