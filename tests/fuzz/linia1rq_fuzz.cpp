// libFuzzer target over the reading of measurement files: the line parser on the whole input and
// on each of its lines, the line splitter fed in blocks of every size against one block, and the
// loader over the bytes. Any broken promise of their interfaces aborts.

#include "files/data_file_loader.h"
#include "files/line_splitter.h"
#include "files/linia1rq.h"
#include "fuzz_checks.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace korvanta::files;

namespace {

using korvanta::fuzz::require;

void checkParser(const Linia1RQ& parser) {
    require(parser.date().size() <= Linia1RQ::kDateTimeLength);
    require(parser.time().size() <= Linia1RQ::kDateTimeLength);
    require(parser.valueCount() >= 0 && parser.valueCount() <= Linia1RQ::kMaxValues);
    for (int k = -1; k <= Linia1RQ::kMaxWords; ++k) {
        require(parser.word(k).size() <= Linia1RQ::kWordLength);
    }
    for (int k = 0; k < Linia1RQ::kNameCount; ++k) {
        require(parser.name(k).size() <= Linia1RQ::kNameLength);
    }
    require(!parser.hasDate() || parser.dataLine());
}

struct Split {
    std::vector<std::string> lines;
    int longLine = 0;
};

Split splitInBlocks(std::string_view bytes, std::size_t blockSize) {
    LineSplitter splitter(Linia1RQ::kMaxLineLength);
    Split split;
    for (std::size_t start = 0; start < bytes.size() && !splitter.stopped(); start += blockSize) {
        splitter.feed(bytes.substr(start, blockSize));
        while (const auto line = splitter.next()) {
            split.lines.emplace_back(*line);
        }
    }
    if (const auto last = splitter.finish()) {
        split.lines.emplace_back(*last);
    }
    split.longLine = splitter.longLine();
    require(splitter.lines() == static_cast<int>(split.lines.size()));
    return split;
}

void checkSplitter(std::string_view bytes, std::size_t blockSize) {
    const Split whole = splitInBlocks(bytes, bytes.size() + 1);
    const Split blocks = splitInBlocks(bytes, blockSize);
    require(whole.lines == blocks.lines);
    require(whole.longLine == blocks.longLine);
    for (const std::string& line : whole.lines) {
        require(line.size() <= static_cast<std::size_t>(Linia1RQ::kMaxLineLength));
        require(line.find_first_of("\r\n") == std::string::npos);
    }
}

void checkLoaded(const LoadedFile& file) {
    require(file.labels != nullptr);
    require(file.labels->size() == file.dataLines);
    require(file.columns.size() <= static_cast<std::size_t>(Linia1RQ::kMaxValues));
    require(file.lastValueCount >= 0 &&
            file.lastValueCount <= static_cast<int>(file.columns.size()));
    for (const LoadedColumn& column : file.columns) {
        require(!column.values.empty());
        require(column.values.size() <= static_cast<std::size_t>(file.dataLines));
        require(column.lines.empty() || column.lines.size() == column.values.size());
        int previous = -1;
        for (std::size_t i = 0; i < column.values.size(); ++i) {
            const int line = column.lineOf(static_cast<int>(i));
            require(line > previous && line < file.dataLines);
            previous = line;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Linia1RQ parser;
    parser.parse(bytes);
    checkParser(parser);
    parser.parseHeader(bytes);
    checkParser(parser);

    const std::size_t blockSize = size > 0 ? 1 + data[0] % 64 : 1;
    checkSplitter(bytes, blockSize);

    const LoadedFile file = loadDataBytes(QByteArrayView(bytes.data(), bytes.size()));
    checkLoaded(file);
    return 0;
}
