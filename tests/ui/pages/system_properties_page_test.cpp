// The measuring-inputs grid loaded from the two start-up files in code page 1250.
#include "monitor/ui/system_properties_page.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvanta::monitor::ui {
namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString cell(const SystemPropertiesPage& page, int row, int column) {
    const QTableWidgetItem* item = page.grid()->item(row, column);
    return item != nullptr ? item->text() : QString();
}

TEST(SystemPropertiesPage, GridFilesFillColumnsAndNumberRowsUpToTheFirstEmptyName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A prepared file starts with its own header line, which the grid's header cell replaces;
    // then "Wejście 1", "Łącznik", "", "czwarte" — ś 0x9C, Ł 0xA3, ą 0xB9.
    writeBytes(dir.filePath(QStringLiteral("col1SaveValue.txt")),
               QByteArray("Nazwa\r\nWej\x9C"
                          "cie 1\r\n\xA3\xB9"
                          "cznik\r\n\r\nczwarte\r\n"));
    // "Źródło zasilania", "Uwaga" — Ź 0x8F, ó 0xF3, ł 0xB3.
    writeBytes(dir.filePath(QStringLiteral("col3SaveValue.txt")),
               QByteArray("Opis\r\n\x8F"
                          "r\xF3"
                          "d\xB3"
                          "o zasilania\r\nUwaga\r\n"));
    SystemPropertiesPage page;

    page.loadGridFiles(dir.path());

    EXPECT_EQ(cell(page, 0, 0), QStringLiteral("K:"));
    EXPECT_EQ(cell(page, 0, 1), QStringLiteral("W:"));
    EXPECT_EQ(cell(page, 0, 2), QStringLiteral("  Note:"));
    EXPECT_EQ(cell(page, 1, 1), QStringLiteral("Wejście 1"));
    EXPECT_EQ(cell(page, 2, 1), QStringLiteral("Łącznik"));
    EXPECT_EQ(cell(page, 4, 1), QStringLiteral("czwarte"));
    EXPECT_EQ(cell(page, 1, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(page, 2, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(page, 3, 0), QString());
    EXPECT_EQ(cell(page, 4, 0), QString());
    EXPECT_EQ(page.inputDescription(1), QStringLiteral("Źródło zasilania"));
    EXPECT_EQ(page.inputDescription(2), QStringLiteral("Uwaga"));
    EXPECT_EQ(page.inputName(2), QStringLiteral("Łącznik"));
    EXPECT_EQ(page.inputDescription(0), QString());
    EXPECT_EQ(page.inputDescription(3), QString());
    EXPECT_EQ(page.inputDescription(-1), QString());
    EXPECT_EQ(page.inputDescription(100000), QString());
}

TEST(SystemPropertiesPage, MissingFilesLeaveTheGridAndLongFilesGrowIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SystemPropertiesPage page;
    const int designRows = page.grid()->rowCount();
    EXPECT_GE(designRows, 65);

    page.loadGridFiles(dir.path());

    EXPECT_EQ(cell(page, 0, 2), QStringLiteral("  Note:"));
    EXPECT_EQ(cell(page, 1, 0), QString());
    EXPECT_EQ(page.grid()->rowCount(), designRows);

    QByteArray many;
    for (int i = 1; i <= 70; ++i) {
        many += "in" + QByteArray::number(i) + "\r\n";
    }
    writeBytes(dir.filePath(QStringLiteral("col1SaveValue.txt")), many);
    page.loadGridFiles(dir.path());

    // Line i goes into row i; the header cell takes the place of the first line.
    EXPECT_EQ(cell(page, 0, 1), QStringLiteral("W:"));
    EXPECT_EQ(cell(page, 1, 1), QStringLiteral("in2"));
    EXPECT_EQ(cell(page, 69, 1), QStringLiteral("in70"));
    EXPECT_EQ(cell(page, 69, 0), QStringLiteral("69"));
    EXPECT_EQ(cell(page, 70, 0), QString());
}

TEST(SystemPropertiesPage, LabelsShowTheCycleTexts) {
    SystemPropertiesPage page;
    page.setChannelCount(12);
    page.setSystemAddress(QStringLiteral("b"));
    page.setFrequencyText(QStringLiteral("100.00Hz"));
    page.setBufferSizeText(QStringLiteral("6000"));

    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("Label67"))->text(),
              QStringLiteral("Counter chanel: 12"));
    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("Label55"))->text(),
              QStringLiteral("Current system: b"));
    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("Label6"))->text(),
              QStringLiteral("100.00Hz"));
    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("Label7"))->text(), QStringLiteral("6000"));
}

} // namespace
} // namespace korvanta::monitor::ui
