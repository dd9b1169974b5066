// Splitting the batch input into lines, in bounded memory, however the input arrives.
#include "cli/line_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch.h"
#include "tests/support/string_streams.h"

namespace tolvi {
namespace {

using test::StringSource;

constexpr const char* kTooLong = "<too long>";

struct LinesCase {
    std::string input;
    std::size_t maxLength;
    std::vector<std::string> lines;  // kTooLong for a line over the limit
};

void PrintTo(const LinesCase& c, std::ostream* out) {
    *out << '"';
    for (const char ch : c.input.substr(0, 40)) {
        *out << (ch == '\n' ? "\\n" : ch == '\r' ? "\\r" : std::string(1, ch));
    }
    *out << (c.input.size() > 40 ? "...\" (" : "\" (") << c.input.size() << " bytes), at most "
         << c.maxLength << " a line";
}

std::vector<std::string> ReadAll(const std::string& input, std::size_t piece,
                                 std::size_t maxLength) {
    StringSource source(input, piece);
    LineReader reader(source, maxLength);
    std::vector<std::string> lines;
    while (const auto line = reader.Next()) {
        lines.push_back(line->tooLong ? kTooLong : std::string(line->text));
    }
    return lines;
}

class LineReaderSplits : public testing::TestWithParam<LinesCase> {};

TEST_P(LineReaderSplits, WhateverPiecesTheInputArrivesIn) {
    const LinesCase& c = GetParam();
    for (const std::size_t piece : {0, 1, 2, 3, 7, 65536}) {  // 0 is taken as 1
        EXPECT_EQ(ReadAll(c.input, piece, c.maxLength), c.lines) << "pieces of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LineReaderSplits,
    testing::Values(
        LinesCase{"", 8, {}}, LinesCase{"\n", 8, {""}}, LinesCase{"a\nb", 8, {"a", "b"}},
        LinesCase{"a\n\nb\n", 8, {"a", "", "b"}}, LinesCase{"a\r\nb\r\n", 8, {"a\r", "b\r"}},
        LinesCase{"12345678\n", 8, {"12345678"}}, LinesCase{"123456789\nok\n", 8, {kTooLong, "ok"}},
        LinesCase{"ok\n123456789", 8, {"ok", kTooLong}}, LinesCase{"12345678", 8, {"12345678"}},
        // A carriage return at the end of a line does not count toward the limit.
        LinesCase{"12345678\r\n1234567\r\r\n", 8, {"12345678\r", "1234567\r\r"}},
        LinesCase{"12345678\r", 8, {"12345678\r"}},
        LinesCase{"12345678\r\r\n123456789\r\n1234567\r8\n", 8, {kTooLong, kTooLong, kTooLong}},
        LinesCase{std::string(200'000, 'x') + "\nok\n" + std::string(9, 'y') + "\n",
                  8,
                  {kTooLong, "ok", kTooLong}},
        LinesCase{std::string(200'000, 'x') + "\n" + std::string(200'000, 'z'),
                  200'000,
                  {std::string(200'000, 'x'), std::string(200'000, 'z')}},
        LinesCase{std::string("a\0b\n", 4), 8, {std::string("a\0b", 3)}},
        // Ctrl+Z is a byte like any other, not the end of the input.
        LinesCase{"a\x1a"
                  "b\n\x1a\nc",
                  8,
                  {"a\x1a"
                   "b",
                   "\x1a", "c"}}));

// Output that reaches its reader only when flushed.
class HeldSink final : public ByteSink {
  public:
    void Write(std::string_view bytes) override { held_.append(bytes); }
    void Flush() override { text += std::exchange(held_, {}); }
    std::string text;

  private:
    std::string held_;
};

// Records what the output's reader had seen each time more input was asked for.
class WatchedSource final : public ByteSource {
  public:
    WatchedSource(std::string_view input, const HeldSink& out) : input_(input), out_(out) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        outputAtEachRead.push_back(out_.text);
        return input_.Read(buffer, size);
    }
    std::vector<std::string> outputAtEachRead;

  private:
    StringSource input_;
    const HeldSink& out_;
};

TEST(Batch, AnswersEveryLineBeforeWaitingForMoreInput) {
    // A program that writes one line and waits for its answer must get it.
    HeldSink out;
    WatchedSource in("exclusive\t105\t17.5\n", out);
    EXPECT_EQ(RunBatch(in, out, Reading::Strict), 0);
    ASSERT_EQ(in.outputAtEachRead.size(), 2u);
    EXPECT_EQ(in.outputAtEachRead[1], "18.375\t18.38\t123.38\t105.00\t105\t\n");
}

TEST(Batch, AsksForTheEndOfTheInputOnce) {
    // A terminal would wait for a second Ctrl-D.
    HeldSink out;
    WatchedSource in("exclusive\t105\t17.5", out);
    EXPECT_EQ(RunBatch(in, out, Reading::Strict), 0);
    EXPECT_EQ(in.outputAtEachRead.size(), 2u);
    EXPECT_EQ(out.text, "18.375\t18.38\t123.38\t105.00\t105\t\n");
}

}  // namespace
}  // namespace tolvi
