#include "bench/test_record.h"

#include "common/text_file.h"
#include "monitor/data_directory.h"

#include <algorithm>
#include <utility>

namespace korvanta::bench {
namespace {

constexpr qsizetype kParameterCount = 5;

const QStringList& parameterMessages() {
    static const QStringList messages = {
        QStringLiteral("Ustaw górny zakres obciążenia"),
        QStringLiteral("Ustaw krok siły"),
        QStringLiteral("Ustaw górny zakres przesunięcia"),
        QStringLiteral("Ustaw czas To"),
        QStringLiteral("Ustaw czas Tpo"),
    };
    return messages;
}

common::Result<> appendToReportFile(const QString& dataDirectory, const QString& reportName,
                                    const QStringList& lines) {
    const QString path = monitor::enterDataDirectory(dataDirectory, reportFileName(reportName));
    return common::appendLines(path, lines);
}

} // namespace

const QStringList& testRecordItemNames() {
    static const QStringList names = {
        QStringLiteral("Górny zakres obciążenia [kN]"),
        QStringLiteral("Krok siły [kN]"),
        QStringLiteral("Górny zakres przesunięcia [mm]"),
        QStringLiteral("Czas To [min]"),
        QStringLiteral("Czas Tpo [min]"),
        QStringLiteral("Data początku badań"),
        QStringLiteral("Data zakończenia badań"),
        QStringLiteral("Przedmiot badań"),
        QStringLiteral("Materiał ramy"),
        QStringLiteral("-dostawca"),
        QStringLiteral("-atest materiałowy"),
        QStringLiteral("-świadectwo jakości"),
        QStringLiteral("Wymiar ramy A"),
        QStringLiteral("Wymiar ramy B"),
        QStringLiteral("Wymiar ramy C"),
        QStringLiteral("Wymiar ramy D"),
        QStringLiteral("Wymiar E"),
        QStringLiteral("Wymiar G"),
        QStringLiteral("Wymiar H"),
        QStringLiteral("Wymiar I"),
    };
    return names;
}

QStringList memoLines(const QString& text) {
    if (text.isEmpty()) {
        return {};
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    return lines;
}

QString memoText(const QStringList& lines) {
    return lines.join(QLatin1Char('\n'));
}

ParameterFill fillParameterLines(QStringList valueLines, const QStringList& parameterTexts) {
    ParameterFill fill;
    while (valueLines.size() < kParameterCount) {
        valueLines.append(QString());
    }
    for (qsizetype i = 0; i < kParameterCount; ++i) {
        const QString text = parameterTexts.value(i);
        if (text.isEmpty()) {
            fill.messages.append(parameterMessages()[i]);
        } else {
            valueLines[i] = text;
        }
    }
    fill.lines = std::move(valueLines);
    return fill;
}

bool isTestRecordComplete(const QStringList& valueLines, const QString& reportName) {
    return valueLines.size() == testRecordItemNames().size() && !reportName.isEmpty() &&
           std::none_of(valueLines.begin(), valueLines.end(),
                        [](const QString& line) { return line.isEmpty(); });
}

QStringList testRecordLines(const QStringList& valueLines) {
    QStringList lines;
    const QStringList& names = testRecordItemNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        lines.append(names[i] + QLatin1Char(' ') + valueLines.value(i));
    }
    lines.append(QStringLiteral("WYNIKI BADAŃ:"));
    return lines;
}

QString reportFileName(const QString& reportName) {
    return reportName + QStringLiteral(".txt");
}

common::Result<> appendTestRecord(const QString& dataDirectory, const QString& reportName,
                                  const QStringList& valueLines) {
    return appendToReportFile(dataDirectory, reportName, testRecordLines(valueLines));
}

common::Result<> appendTestLog(const QString& dataDirectory, const QString& reportName,
                               const QStringList& logLines) {
    return appendToReportFile(dataDirectory, reportName, logLines);
}

common::Result<> writeTemplateData(const QString& dataDirectory, const QStringList& valueLines,
                                   const QStringList& logLines) {
    const QString path = monitor::enterDataDirectory(dataDirectory, kTemplateDataFileName);
    return common::writeLines(path, valueLines + logLines);
}

} // namespace korvanta::bench
