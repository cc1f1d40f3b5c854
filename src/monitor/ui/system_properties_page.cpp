#include "monitor/ui/system_properties_page.h"

#include "common/text_file.h"
#include "common/ui/named_widgets.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace korvanta::monitor::ui {
namespace {

using common::ui::makeLabel;

} // namespace

SystemPropertiesPage::SystemPropertiesPage(QWidget* parent)
    : QWidget(parent), Label6(makeLabel(QStringLiteral("Label6"), QString(), this)),
      Label7(makeLabel(QStringLiteral("Label7"), QString(), this)),
      Label67(makeLabel(QStringLiteral("Label67"), QString(), this)),
      Label55(makeLabel(QStringLiteral("Label55"), QString(), this)),
      StringGrid2(new QTableWidget(kInputCount + 1, 3, this)) {
    setObjectName(QStringLiteral("TabSheet2"));
    setWindowTitle(QStringLiteral("Właściwości systemu"));

    // Measuring inputs and their notes; row 0 holds the column captions.
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->horizontalHeader()->hide();
    StringGrid2->verticalHeader()->hide();
    StringGrid2->horizontalHeader()->setStretchLastSection(true);
    StringGrid2->setColumnWidth(0, 40);
    StringGrid2->setColumnWidth(1, 60);

    auto* properties = new QGridLayout;
    properties->addWidget(
        makeLabel(QStringLiteral("Label3"), QStringLiteral("Częstotliwość:"), this), 0, 0);
    properties->addWidget(Label6, 0, 1);
    properties->addWidget(
        makeLabel(QStringLiteral("Label4"), QStringLiteral("Rozmiar bufora:"), this), 1, 0);
    properties->addWidget(Label7, 1, 1);
    properties->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        makeLabel(QStringLiteral("Label1"), QStringLiteral("Właściwości pomiarów"), this));
    layout->addLayout(properties);
    layout->addWidget(
        makeLabel(QStringLiteral("Label2"), QStringLiteral("Wejścia pomiarowe:"), this));
    layout->addWidget(StringGrid2, 1);
    layout->addWidget(Label67);
    layout->addWidget(Label55);
}

void SystemPropertiesPage::loadGridFiles(const QString& directory) {
    const QDir dir(directory);
    loadColumn(dir.filePath(QStringLiteral("col1SaveValue.txt")), 1);
    loadColumn(dir.filePath(QStringLiteral("col3SaveValue.txt")), 2);
    setCell(0, 0, QStringLiteral("K:"));
    setCell(0, 1, QStringLiteral("W:"));
    setCell(0, 2, QStringLiteral("  Note:"));
    numberRows();
}

void SystemPropertiesPage::loadColumn(const QString& path, int column) {
    if (!QFileInfo::exists(path)) {
        return;
    }
    const common::Result<QStringList> read = common::readLines(path);
    if (!read) {
        return;
    }
    const QStringList& lines = read.value();
    for (int i = 0; i < lines.size(); ++i) {
        setCell(i, column, lines[i]);
    }
}

void SystemPropertiesPage::numberRows() {
    for (int row = 1; row < StringGrid2->rowCount() && !cell(row, 1).isEmpty(); ++row) {
        setCell(row, 0, QString::number(row));
    }
}

void SystemPropertiesPage::setCell(int row, int column, const QString& text) {
    if (row >= StringGrid2->rowCount()) {
        StringGrid2->setRowCount(row + 1);
    }
    auto* item = StringGrid2->item(row, column);
    if (item == nullptr) {
        StringGrid2->setItem(row, column, new QTableWidgetItem(text));
    } else {
        item->setText(text);
    }
}

QString SystemPropertiesPage::cell(int row, int column) const {
    const auto* item = StringGrid2->item(row, column);
    return item != nullptr ? item->text() : QString();
}

QString SystemPropertiesPage::inputCell(int n, int column) const {
    if (n < 1 || n >= StringGrid2->rowCount()) {
        return {};
    }
    return cell(n, column);
}

QString SystemPropertiesPage::inputDescription(int n) const {
    return inputCell(n, 2);
}
QString SystemPropertiesPage::inputName(int n) const {
    return inputCell(n, 1);
}

void SystemPropertiesPage::setFrequencyText(const QString& text) {
    Label6->setText(text);
}
void SystemPropertiesPage::setBufferSizeText(const QString& text) {
    Label7->setText(text);
}

void SystemPropertiesPage::setChannelCount(int count) {
    Label67->setText(QStringLiteral("Counter chanel: ") + QString::number(count));
}

void SystemPropertiesPage::setSystemAddress(const QString& address) {
    Label55->setText(QStringLiteral("Current system: ") + address);
}

} // namespace korvanta::monitor::ui
