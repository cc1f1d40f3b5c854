#pragma once
// The finished-test document: the record, parameters, verdict, charts and log of one bench test,
// printed to a PDF file beside the test's text report.

#include "bench/finished_test.h"
#include "common/result.h"

#include <QString>

namespace korvanta::bench::ui {

// Writes the whole document (A4, portrait) or nothing: a failed write leaves no file behind, and
// the reason names the file.
common::Result<> writeTestReportPdf(const QString& path, const FinishedTest& test);

} // namespace korvanta::bench::ui
