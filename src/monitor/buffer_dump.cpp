#include "monitor/buffer_dump.h"

#include "common/cp1250.h"
#include "common/day_time.h"
#include "common/number_format.h"
#include "common/result.h"
#include "monitor/dump_format.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace korvanta::monitor {
namespace {

constexpr std::size_t kChunkBytes = 1 << 20;
constexpr int kProgressEvery = 4096; // records between two progress reports
constexpr std::size_t kLineMax = (acquisition::Tabela::kInputCount + 1) * (kDumpFieldMax + 1) + 2;

QString addressText(char address) {
    return common::fromCp1250(QByteArray(1, address));
}

// Fills the chunk with record lines and hands it to the file whenever it is nearly full.
class DumpWriter {
public:
    DumpWriter(QSaveFile& file, int inputCount)
        : m_file(file), m_inputCount(inputCount),
          m_separator(common::decimalSeparator().toLatin1()) {
        m_chunk.resize(kChunkBytes + kLineMax);
    }

    bool writeRecords(const acquisition::TickView& tick, const DumpProgress& progress) {
        const int n = tick.recordCount();
        const acquisition::DataTable& table = tick.table;
        // The current record is the oldest one still in the ring, so the lines run forward
        // in time and every elapsed time is counted from the first line.
        const int start = tick.currentIndex;
        const double t0 = n > 0 ? table.record(start).timeStamp : 0;
        int r = start;
        for (int k = 0; k < n; ++k) {
            appendLine(table.record(r), t0);
            if (m_used >= kChunkBytes && !flush()) {
                return false;
            }
            if (progress && (k + 1) % kProgressEvery == 0) {
                progress(k + 1, n);
            }
            r = table.nextIndex(r);
        }
        if (progress) {
            progress(n, n);
        }
        return flush();
    }

private:
    void appendLine(const acquisition::Tabela& record, double t0) {
        char* out = m_chunk.data() + m_used;
        char* const begin = out;
        out = appendElapsedTime(out, record.timeStamp - t0);
        for (int j = 0; j < m_inputCount; ++j) {
            *out++ = ' ';
            out = appendFourDecimals(out, record.values[j], m_separator);
        }
        *out++ = '\r';
        *out++ = '\n';
        m_used += static_cast<std::size_t>(out - begin);
    }

    bool flush() {
        const auto size = static_cast<qint64>(m_used);
        m_used = 0;
        return m_file.write(m_chunk.data(), size) == size;
    }

    QSaveFile& m_file;
    int m_inputCount;
    char m_separator;
    std::vector<char> m_chunk;
    std::size_t m_used = 0;
};

} // namespace

QString directionLetter(float direction) {
    if (direction > 0) {
        return QStringLiteral("P");
    }
    return direction < 0 ? QStringLiteral("L") : QStringLiteral("0");
}

QString bufferDumpName(const QString& folder, char address, double now, float direction) {
    QString name = folder;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name += address == '\0' ? QStringLiteral("buf") : addressText(address);
    return name + common::formatDayTime(QStringLiteral("yyyymmdd_hhnnss"), now) +
           directionLetter(direction) + QStringLiteral(".txt");
}

QString bufferDumpHeader(const acquisition::SettingsRecord& settings, char address, double now,
                         int inputCount) {
    QString header = address == '\0' ? QStringLiteral("BUF") : addressText(address);
    header += QLatin1Char('_') + common::formatDayTime(QStringLiteral("yyyy-mm-dd_hh:nn:ss"), now);
    for (int k = 1; k <= inputCount; ++k) {
        header += QLatin1Char('_') + settings.channelName(k);
    }
    return header;
}

BufferDumpResult ZapiszBuforJakoPlikTekstowy(const acquisition::TickView& tick,
                                             const acquisition::SettingsRecord& settings,
                                             const BufferDumpInputs& inputs) {
    BufferDumpResult result;
    result.name = bufferDumpName(inputs.folder, inputs.address, inputs.now, inputs.direction);
    result.path = QDir::cleanPath(QDir::current().absoluteFilePath(result.name));
    // A missing folder is made, as the data directory is, so no dump is lost for want of it.
    QDir().mkpath(QFileInfo(result.path).absolutePath());
    const int inputCount =
        std::min(tick.control.safeChannelCount(), acquisition::Tabela::kInputCount);
    QSaveFile file(result.path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.failure = common::fileFailure(result.path, file.errorString());
        return result;
    }
    const QByteArray header =
        common::toCp1250(bufferDumpHeader(settings, inputs.address, inputs.now, inputCount)) +
        "\r\n";
    DumpWriter writer(file, inputCount);
    if (file.write(header) != header.size() || !writer.writeRecords(tick, inputs.progress) ||
        !file.commit()) {
        result.failure = common::fileFailure(result.path, file.errorString());
        file.cancelWriting();
    }
    return result;
}

} // namespace korvanta::monitor
