#include "files/line_splitter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using korvanta::files::LineSplitter;

namespace {

struct Cut {
    std::vector<std::string> lines;
    int longLine = 0;
};

Cut cut(const std::vector<std::string>& blocks, qsizetype maxLength = 5) {
    LineSplitter splitter(maxLength);
    Cut result;
    for (const std::string& block : blocks) {
        splitter.feed(block);
        while (const auto line = splitter.next()) {
            result.lines.emplace_back(*line);
        }
    }
    if (const auto last = splitter.finish()) {
        result.lines.emplace_back(*last);
    }
    EXPECT_EQ(splitter.lines(), static_cast<int>(result.lines.size()));
    EXPECT_EQ(splitter.stopped(), splitter.longLine() > 0);
    result.longLine = splitter.longLine();
    return result;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(LineSplitter, LineEndsInAndAcrossBlocks) {
    EXPECT_EQ(cut({"ab\r\ncd\ne\rf"}).lines, (Lines{"ab", "cd", "e", "f"}));
    EXPECT_EQ(cut({"ab\r", "\ncd\n"}).lines, (Lines{"ab", "cd"}));
    EXPECT_EQ(cut({"ab\r", "", "\ncd"}).lines, (Lines{"ab", "cd"}));
    EXPECT_EQ(cut({"ab\r", "cd"}).lines, (Lines{"ab", "cd"}));
    EXPECT_EQ(cut({"a", "b", "c\n", "d"}).lines, (Lines{"abc", "d"}));
    EXPECT_EQ(cut({"\n\r\r\n\n"}).lines, (Lines{"", "", "", ""}));
    EXPECT_EQ(cut({"ab\n"}).lines, (Lines{"ab"}));
    EXPECT_TRUE(cut({""}).lines.empty());
}

TEST(LineSplitter, ALongLineEndsTheCutAfterItsFirstBytes) {
    EXPECT_EQ(cut({"abcde\nx"}).lines, (Lines{"abcde", "x"}));
    EXPECT_EQ(cut({"abc", "de\r\n", "x"}).lines, (Lines{"abcde", "x"}));

    const Cut whole = cut({"x\nabcdefg\ny\n"});
    EXPECT_EQ(whole.lines, (Lines{"x", "abcde"}));
    EXPECT_EQ(whole.longLine, 2);

    const Cut blocks = cut({"x\nab", "cd", "ef", "g\ny\n"});
    EXPECT_EQ(blocks.lines, whole.lines);
    EXPECT_EQ(blocks.longLine, 2);

    // Six bytes without a line end are too long even at the end of the stream.
    const Cut last = cut({"abcdef"});
    EXPECT_EQ(last.lines, (Lines{"abcde"}));
    EXPECT_EQ(last.longLine, 1);
}
