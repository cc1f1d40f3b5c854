#pragma once
// The test record: the twenty items the operator fills in before a bench test, the check that
// allows START, and the report file and template data file written from it.

#include "common/result.h"

#include <QString>
#include <QStringList>

namespace korvanta::bench {

// The twenty item names, in the order of the value lines; the first five are the test parameters.
const QStringList& testRecordItemNames();

// The lines of a value memo's text. Every line the editor shows counts: "a\n" is two lines, the
// second empty, because the editor shows that empty line with the cursor on it (so 20 values and
// a trailing line break make 21 lines, which the record refuses). An empty text is no line at
// all. "\r\n" counts as one line break, as in a pasted Windows text.
QStringList memoLines(const QString& text);
// The text that shows `lines` in a value memo.
QString memoText(const QStringList& lines);

// The value lines after "USTAWIENIA" copied the five parameter texts into lines 0 to 4.
struct ParameterFill {
    QStringList lines;    // the new value lines, at least five
    QStringList messages; // one per empty parameter text, in parameter order
};

// Replaces value line i with parameter text i (upper load, force step, upper displacement, To,
// Tpo); an empty text leaves its line as it was and gives its message. A record shorter than
// five lines gets the missing lines, empty, so each parameter has its own line.
ParameterFill fillParameterLines(QStringList valueLines, const QStringList& parameterTexts);

// Complete: one value line per item, none empty, and a report name.
bool isTestRecordComplete(const QStringList& valueLines, const QString& reportName);

// The lines a confirmed record adds to the report file: "name value" per item, then
// "WYNIKI BADAŃ:".
QStringList testRecordLines(const QStringList& valueLines);

// "<report name>.txt".
QString reportFileName(const QString& reportName);
inline const QString kTemplateDataFileName = QStringLiteral("PlikRaportu.ods");
inline const QString kTemplateFileName = QStringLiteral("Szablon.ods");

// The file functions make the data directory the current one (creating it when missing) and
// fail with the reason naming the file.

// Appends the confirmed record to the report file; never truncates it.
common::Result<> appendTestRecord(const QString& dataDirectory, const QString& reportName,
                                  const QStringList& valueLines);
// Appends the log of a finished test to the report file.
common::Result<> appendTestLog(const QString& dataDirectory, const QString& reportName,
                               const QStringList& logLines);
// Rewrites the template data file whole: the value lines, then the log lines.
common::Result<> writeTemplateData(const QString& dataDirectory, const QStringList& valueLines,
                                   const QStringList& logLines);

} // namespace korvanta::bench
