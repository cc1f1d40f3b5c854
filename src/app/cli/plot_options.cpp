#include "app/cli/plot_options.h"

#include "chart/ui/chart_picture.h"
#include "files/linia1rq.h"

#include <QStringList>
#include <charconv>
#include <optional>

namespace korvanta::app::cli {
namespace {

// The whole text as a decimal number from `least` to `most`.
std::optional<int> wholeNumber(const QString& text, int least, int most) {
    const QByteArray bytes = text.trimmed().toLatin1();
    int value = 0;
    const auto [end, error] = std::from_chars(bytes.constData(), bytes.constEnd(), value);
    if (bytes.isEmpty() || error != std::errc() || end != bytes.constEnd() || value < least ||
        value > most) {
        return std::nullopt;
    }
    return value;
}

} // namespace

common::Result<std::vector<int>> parseColumns(const QString& text) {
    std::vector<int> columns;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const auto column = wholeNumber(part, 1, files::Linia1RQ::kMaxValues);
        if (!column) {
            return common::Result<std::vector<int>>::failure(
                QStringLiteral("--columns: '%1' is not a column number 1 to %2")
                    .arg(part)
                    .arg(files::Linia1RQ::kMaxValues));
        }
        columns.push_back(*column);
    }
    return columns;
}

common::Result<QSize> parsePictureSize(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'), Qt::KeepEmptyParts, Qt::CaseInsensitive);
    const int most = chart::ui::kMaxPictureSide;
    const auto width = parts.size() == 2 ? wholeNumber(parts[0], 1, most) : std::nullopt;
    const auto height = parts.size() == 2 ? wholeNumber(parts[1], 1, most) : std::nullopt;
    if (!width || !height) {
        return common::Result<QSize>::failure(
            QStringLiteral("--size: '%1' is not WIDTHxHEIGHT in pixels, 1 to %2 each")
                .arg(text)
                .arg(most));
    }
    return QSize(*width, *height);
}

} // namespace korvanta::app::cli
