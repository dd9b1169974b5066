// The command-line calculator, run as a built binary.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app_identity.h"
#include "tests/support/list_rows.h"
#include "tests/support/worked_recalculations.h"

extern char** environ;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Where the calculator's standard input comes from and its standard output goes.
enum class Input { Text, Directory, Closed };
enum class Output { File, Full, Closed, OneByteLeft };

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<char*> Argv(std::vector<std::string>& arguments) {
    arguments.insert(arguments.begin(), TOLVI_VAT_CLI);
    std::vector<char*> argv;
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return argv;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs the CLI with these arguments and this standard input, without a shell.
CliRun RunCli(std::vector<std::string> arguments, const std::string& input = "",
              Input from = Input::Text, Output to = Output::File) {
    char directory[] = "/tmp/tolvi-cli-test-XXXXXX";
    if (mkdtemp(directory) == nullptr) {
        ADD_FAILURE() << "no temporary directory";
        return {};
    }
    const std::string in = std::string(directory) + "/in";
    const std::string out = std::string(directory) + "/out";
    const std::string err = std::string(directory) + "/err";
    std::ofstream(in, std::ios::binary) << input;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (from == Input::Closed) {
        posix_spawn_file_actions_addclose(&actions, 0);
    } else {
        posix_spawn_file_actions_addopen(&actions, 0, from == Input::Text ? in.c_str() : directory,
                                         O_RDONLY, 0);
    }
    // OneByteLeft: the output file may grow by one byte more; the first write is cut short
    // and the next one fails. Standard error stays far from that limit.
    constexpr rlim_t kFileLimit = 4096;
    int limited = -1;
    if (to == Output::Closed) {
        posix_spawn_file_actions_addclose(&actions, 1);
    } else if (to == Output::OneByteLeft) {
        limited = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        lseek(limited, kFileLimit - 1, SEEK_SET);
        posix_spawn_file_actions_adddup2(&actions, limited, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1,
                                         to == Output::File ? out.c_str() : "/dev/full",
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::vector<char*> argv = Argv(arguments);

    // The calculator inherits the limit, and SIGXFSZ ignored: a write past the limit fails.
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    void (*previousHandler)(int) = SIG_DFL;
    if (limited >= 0) {
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit room{kFileLimit, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &room);
    }
    CliRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, TOLVI_VAT_CLI, &actions, nullptr, argv.data(), environ);
    if (limited >= 0) {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
        close(limited);
    }
    if (spawned == 0) {
        run.status = ExitStatus(pid);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::remove(err.c_str());
    rmdir(directory);
    return run;
}

// Starts the calculator with these descriptors as its standard input, output and error.
pid_t Spawn(std::vector<std::string> arguments, int in, int out, int err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    const std::vector<char*> argv = Argv(arguments);
    pid_t pid = 0;
    if (posix_spawn(&pid, TOLVI_VAT_CLI, &actions, nullptr, argv.data(), environ) != 0) {
        ADD_FAILURE() << "cannot start " << TOLVI_VAT_CLI;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Everything that comes from a descriptor until its end.
std::string ReadAll(int descriptor) {
    std::string text;
    char buffer[65536];
    for (ssize_t count; (count = read(descriptor, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(count));
    }
    return text;
}

std::string BatchLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += "inclusive\t" + std::to_string(i) + "\t17.5\n";
    }
    return lines;
}

TEST(CliBatch, ReproducesTheWorkedRecalculations) {
    std::string input;
    std::string expected;
    for (const tolvi::test::WorkedRecalculation& row : tolvi::test::kWorkedRecalculations) {
        input.append(tolvi::test::ModeName(row.mode)).append("\t").append(row.amount);
        input.append("\t").append(row.rate).append("\n");
        for (const std::string_view field :
             {row.unroundedVat, row.roundedVat, row.total, row.price, row.unformattedPrice}) {
            expected.append(field).append("\t");
        }
        expected += '\n';
    }
    const CliRun run = RunCli({"--batch", "--lenient"}, input);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
}

TEST(CliTotals, ReproducesTheListRowsAndNamesTheLinesLeftOut) {
    for (const tolvi::test::ListRow& row : tolvi::test::kListRows) {
        std::string input = "exclusive\t1e308\t20\nbad line\n";  // left out
        for (const tolvi::test::ListRowLine& line : row.lines) {
            for (int i = 0; i < line.times; ++i) {
                input.append(tolvi::test::ModeName(line.mode)).append("\t").append(line.amount);
                input.append("\t").append(line.rate).append("\n");
            }
        }
        for (const bool lenient : {false, true}) {
            const CliRun run = RunCli(lenient ? std::vector<std::string>{"--lenient", "--totals"}
                                              : std::vector<std::string>{"--totals"},
                                      input);
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.out, std::string(tolvi::test::kTotalsHeader) + TotalsRows(row));
            const std::string_view leftOut =
                "tolvi-vat-cli: line 1 left out: Overflow\n"
                "tolvi-vat-cli: line 2 left out: Bad input line\n";
            EXPECT_TRUE(run.err.starts_with(leftOut)) << run.err;
            // Then the rate whose sums overflowed.
            const std::string rest = run.err.substr(std::min(run.err.size(), leftOut.size()));
            EXPECT_EQ(rest.substr(rest.empty() ? 0 : rest.rfind(": ") + 2),
                      row.error.empty() ? "" : std::string(row.error) + "\n");
        }
    }
}

// One batch row under strict reading and under --lenient (the window's reading).
struct ReadingRow {
    std::string line;     // MODE<TAB>AMOUNT<TAB>RATE
    std::string strict;   // the error strict reading gives; empty: the lenient row
    std::string lenient;  // the five fields and the error
};

TEST(CliBatch, StrictReadingDeclinesWhatTheLenientOneGuesses) {
    const std::vector<ReadingRow> rows = {
        {"exclusive\t1.234,56\t19", "Not a number: amount",
         "0.2345664\t0.23\t1.47\t1.24\t1.23456\t"},
        {"exclusive\t€100\t20", "Not a number: amount", "0\t0.00\t0.00\t0.00\t0\t"},
        {"exclusive\t1234.56\t19,5", "Not a number: rate",
         "234.5664\t234.57\t1,469.13\t1,234.56\t1234.56\t"},
        {"exclusive\t\t20", "Empty: amount", "0\t0.00\t0.00\t0.00\t0\t"},
        {"exclusive\t5\t", "Empty: rate", "0\t0.00\t5.00\t5.00\t5\t"},
        {"exclusive\t \t", "Empty: amount; Empty: rate", "0\t0.00\t0.00\t0.00\t0\t"},
        {"inclusive\tx\ty", "Not a number: amount; Not a number: rate",
         "0\t0.00\tx\t0.00\t0\tType mismatch"},
        {"inclusive\t1.234,56\x01\t19", "Not a number: amount",
         "0.19711462184874\t0.20\t1.234,56\x01\t1.03\t1.03744537815126\tType mismatch"},
        {"exclusive\t1 000\t20", "Not a number: amount", "200\t200.00\t1,200.00\t1,000.00\t1000\t"},
        {"exclusive\t1e\t20", "Not a number: amount", "0.2\t0.20\t1.20\t1.00\t1\t"},
        {"exclusive\t,5\t20", "Not a number: amount", "1\t1.00\t6.00\t5.00\t5\t"},
        {"exclusive\t5\t20%", "Not a number: rate", "1\t1.00\t6.00\t5.00\t5\t"},
        {"exclusive\t5\t17.5\r\r", "Not a number: rate", "0.875\t0.88\t5.88\t5.00\t5\t"},
        // A comma group of four digits is no thousands group.
        {"exclusive\t1,2345\t20", "Not a number: amount",
         "2469\t2,469.00\t14,814.00\t12,345.00\t12345\t"},
        {"exclusive\t12,3456.5\t20", "Not a number: amount",
         "24691.3\t24,691.30\t148,147.80\t123,456.50\t123456.5\t"},
        // A D exponent is read by the calculation, and by no spreadsheet.
        {"exclusive\t1d3\t20", "Not a number: amount", "200\t200.00\t1,200.00\t1,000.00\t1000\t"},
        {"exclusive\t-1D-2\t20", "Not a number: amount", "-0.002\t0.00\t-0.01\t-0.01\t-0.01\t"},
        {"exclusive\t1.5E3\t2D1", "Not a number: rate", "300\t300.00\t1,800.00\t1,500.00\t1500\t"},
        // Read whole: blanks around, group commas, exponents. A calculation error leaves no
        // figure beside it in strict reading.
        {"exclusive\t 1,234.56 \t 20 ", "", "246.912\t246.91\t1,481.47\t1,234.56\t1234.56\t"},
        {"exclusive\t1.5E3\t2e1", "", "300\t300.00\t1,800.00\t1,500.00\t1500\t"},
        {"exclusive\t-0\t0", "", "0\t0.00\t0.00\t0.00\t0\t"},
        {"inclusive\t5\t-100", "Division by zero", "0.00\t\t\t\t0.00\tDivision by zero"},
        {"exclusive\t1e999\t20", "Overflow", "0.00\t\t\t\t0.00\tOverflow"},
        {"exclusive\t1e308\t17.5", "Overflow", "0.00\t\t\t\t0.00\tOverflow"},
        {"inclusive\t100\t-100", "Division by zero", "0.00\t\t\t\t0.00\tDivision by zero"},
    };
    std::string input;
    for (const ReadingRow& row : rows) {
        input += row.line + "\n";
    }
    const CliRun strict = RunCli({"--batch"}, input);
    const CliRun lenient = RunCli({"--lenient", "--batch"}, input);
    EXPECT_EQ(strict.status, 2);
    EXPECT_EQ(lenient.status, 0);
    std::istringstream strictRows(strict.out);
    std::istringstream lenientRows(lenient.out);
    for (const ReadingRow& row : rows) {
        std::string strictRow;
        std::string lenientRow;
        std::getline(strictRows, strictRow);
        std::getline(lenientRows, lenientRow);
        EXPECT_EQ(lenientRow, row.lenient) << "lenient, " << row.line;
        EXPECT_EQ(strictRow, row.strict.empty() ? row.lenient : "\t\t\t\t\t" + row.strict)
            << "strict, " << row.line;
    }

    // --inclusive and --exclusive: strict reading prints the five fields empty.
    struct SingleRow {
        std::vector<std::string> arguments;
        std::string strict;  // the error strict reading gives
        int lenientStatus;
        std::string lenient;  // what --lenient prints
    };
    const std::vector<SingleRow> singles = {
        {{"--exclusive", "1.234,56", "19"},
         "Not a number: amount",
         0,
         "VAT: 0.2345664\nRounded VAT: 0.23\nTotal: 1.47\nPrice: 1.24\nUnformatted price: "
         "1.23456\n"},
        {{"--exclusive", "1,2345", "20"},
         "Not a number: amount",
         0,
         "VAT: 2469\nRounded VAT: 2,469.00\nTotal: 14,814.00\nPrice: 12,345.00\n"
         "Unformatted price: 12345\n"},
        {{"--inclusive", "100\n", "17.5"},
         "Not a number: amount",
         1,
         "VAT: 14.8936170212766\nRounded VAT: 14.89\nTotal: 100\n\nPrice: 85.11\n"
         "Unformatted price: 85.1063829787234\n"},
        {{"--exclusive", "100", "\t20"},
         "Not a number: rate",
         0,
         "VAT: 20\nRounded VAT: 20.00\nTotal: 120.00\nPrice: 100.00\nUnformatted price: 100\n"},
    };
    for (const SingleRow& row : singles) {
        std::string shown;
        for (const std::string& a : row.arguments) {
            shown += " '" + a + "'";
        }
        const CliRun strictSingle = RunCli(row.arguments);
        EXPECT_EQ(strictSingle.status, 2) << shown;
        EXPECT_EQ(strictSingle.out, "VAT: \nRounded VAT: \nTotal: \nPrice: \nUnformatted price: \n")
            << shown;
        EXPECT_EQ(strictSingle.err, "error: " + row.strict + "\n") << shown;
        std::vector<std::string> lenientArguments = row.arguments;
        lenientArguments.push_back("--lenient");
        const CliRun lenientSingle = RunCli(lenientArguments);
        EXPECT_EQ(lenientSingle.status, row.lenientStatus) << shown << " --lenient";
        EXPECT_EQ(lenientSingle.out, row.lenient) << shown << " --lenient";
    }
}

TEST(CliBatch, ReportsErrorsAndBadLinesAndGoesOn) {
    const std::string input =
        "inclusive\t\t17.5\r\n"      // total cannot be formatted
        "inclusive\t5\t-100\n"       // divides by zero before any field is written
        "sideways\t5\t5\n"           // unknown mode
        "exclusive\t5\n"             // too few fields
        "exclusive\t5\t5\t5\n"       // too many fields
        "exclusive\t5\t\t5\n"        // too many fields, one of them empty
        "\n"                         // empty
        "exclusive\t1,000\t20\r\n";  // commas are read away, CR dropped
    const CliRun run = RunCli({"--batch", "--lenient"}, input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out,
              "0\t0.00\t\t0.00\t0\tType mismatch\n"
              "0.00\t\t\t\t0.00\tDivision by zero\n"
              "\t\t\t\t\tBad input line\n"
              "\t\t\t\t\tBad input line\n"
              "\t\t\t\t\tBad input line\n"
              "\t\t\t\t\tBad input line\n"
              "\t\t\t\t\tBad input line\n"
              "200\t200.00\t1,200.00\t1,000.00\t1000\t\n");
}

TEST(CliBatch, EmptyInputGivesNoOutput) {
    const CliRun run = RunCli({"--batch"}, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST(CliSingle, PrintsTheFiveFields) {
    const CliRun run = RunCli({"--exclusive", "105", "17.5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "VAT: 18.375\nRounded VAT: 18.38\nTotal: 123.38\nPrice: 105.00\n"
              "Unformatted price: 105\n");
    EXPECT_EQ(run.err, "");

    const CliRun inclusive = RunCli({"--inclusive", "117", "17.5"});
    EXPECT_EQ(inclusive.status, 0);
    EXPECT_EQ(inclusive.out,
              "VAT: 17.4255319148936\nRounded VAT: 17.43\nTotal: 117.00\nPrice: 99.57\n"
              "Unformatted price: 99.5744680851064\n");
}

TEST(CliSingle, AnErrorExitsWithOneAndStrictReadingPrintsNoFigureBesideIt) {
    const CliRun run = RunCli({"--lenient", "--inclusive", "", "0"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "VAT: 0\nRounded VAT: 0.00\nTotal: \nPrice: 0.00\nUnformatted price: 0\n");
    EXPECT_EQ(run.err, "error: Type mismatch\n");

    // Strict reading prints no figure beside the error.
    const CliRun strict = RunCli({"--inclusive", "100", "-100"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.out, "VAT: \nRounded VAT: \nTotal: \nPrice: \nUnformatted price: \n");
    EXPECT_EQ(strict.err, "error: Division by zero\n");
    const CliRun lenient = RunCli({"--inclusive", "100", "-100", "--lenient"});
    EXPECT_EQ(lenient.status, 1);
    EXPECT_EQ(lenient.out, "VAT: 0.00\nRounded VAT: \nTotal: \nPrice: \nUnformatted price: 0.00\n");
}

TEST(CliUsage, HelpAndWrongInvocations) {
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tolvi-vat-cli"), std::string::npos);

    // A usage mistake: what was wrong in one line, then where to look.
    struct Mistake {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::string kNoMode = "no mode given: --inclusive, --exclusive or --batch";
    const std::vector<Mistake> mistakes = {
        {{}, kNoMode},
        {{"117", "20"}, "unknown argument '117'"},
        {{"--inclusive", "5"}, "'--inclusive' needs an AMOUNT and a RATE"},
        {{"--exclusive", "1", "2", "3"}, "extra argument '3'"},
        {{"--batch", "x"}, "extra argument 'x'"},
        {{"--batch", "--inclusive", "1", "2"}, "more than one mode: '--inclusive'"},
        {{"--help", "x"}, "'--help' takes no other argument"},
        {{"--version", "--help"}, "'--version' takes no other argument"},
        {{"--sideways", "1", "2"}, "unknown argument '--sideways'"},
        {{"--lenient"}, kNoMode},
        {{"--lenient", "--help"}, "'--help' takes no other argument"},
        {{"--version", "--lenient"}, "'--version' takes no other argument"},
        {{"--lenient", "--lenient", "--batch"}, "'--lenient' given twice"},
        {{"-h"}, "unknown argument '-h'"},
        {{"1\n\t\x1b"}, "unknown argument '1\\n\\t\\x1b'"},
    };
    for (const Mistake& mistake : mistakes) {
        std::string shown;
        for (const std::string& a : mistake.arguments) {
            shown += " '" + a + "'";
        }
        const CliRun run = RunCli(mistake.arguments);
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_EQ(run.err, "tolvi-vat-cli: " + mistake.message + "\nTry 'tolvi-vat-cli --help'.\n")
            << shown;
    }
}

TEST(CliUsage, VersionNamesTheProductAndItsVersion) {
    const CliRun run = RunCli({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              std::string(tolvi::identity::kAppTitle) + " " + tolvi::identity::kVersionText + "\n");
}

struct IoFailure {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    Input from;
    Output to;
    std::string message;  // the one line on standard error
};

void PrintTo(const IoFailure& c, std::ostream* out) {
    *out << c.name;
}

class CliIoFailure : public testing::TestWithParam<IoFailure> {};

TEST_P(CliIoFailure, EndsTheRunWithItsCauseAndStatusThree) {
    const IoFailure& c = GetParam();
    const CliRun run = RunCli(c.arguments, c.input, c.from, c.to);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "tolvi-vat-cli: " + c.message + "\n");
}

const std::string kFull = "cannot write the output: No space left on device";
const std::string kNoOutput = "cannot write the output: Bad file descriptor";

INSTANTIATE_TEST_SUITE_P(
    Runs, CliIoFailure,
    testing::Values(
        IoFailure{"single to a full disk",
                  {"--exclusive", "105", "17.5"},
                  "",
                  Input::Text,
                  Output::Full,
                  kFull},
        IoFailure{"single when the output takes one byte more",
                  {"--exclusive", "105", "17.5"},
                  "",
                  Input::Text,
                  Output::OneByteLeft,
                  "cannot write the output: File too large"},
        IoFailure{"help to a full disk", {"--help"}, "", Input::Text, Output::Full, kFull},
        IoFailure{"version to a full disk", {"--version"}, "", Input::Text, Output::Full, kFull},
        IoFailure{"batch to a full disk",
                  {"--batch"},
                  BatchLines(100'000),
                  Input::Text,
                  Output::Full,
                  kFull},
        IoFailure{"one batch line to a full disk",
                  {"--batch"},
                  "exclusive\t1\t2",
                  Input::Text,
                  Output::Full,
                  kFull},
        IoFailure{"batch with output closed",
                  {"--batch"},
                  BatchLines(3),
                  Input::Text,
                  Output::Closed,
                  kNoOutput},
        IoFailure{"single with output closed",
                  {"--inclusive", "1", "2"},
                  "",
                  Input::Text,
                  Output::Closed,
                  kNoOutput},
        IoFailure{"batch from a directory",
                  {"--batch"},
                  "",
                  Input::Directory,
                  Output::File,
                  "cannot read the input: Is a directory"},
        IoFailure{"batch with input closed",
                  {"--batch"},
                  "",
                  Input::Closed,
                  Output::File,
                  "cannot read the input: Bad file descriptor"}),
    [](const testing::TestParamInfo<IoFailure>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(CliBatch, AnOverlongLineIsABadLineAndReadingGoesOn) {
    constexpr std::size_t kLimit = 1 << 20;  // 1 MiB, as --help and the README say
    const std::string tooLong(kLimit + 1 - 10, '9');
    const std::string longest(kLimit - 15, '0');
    const CliRun run = RunCli({"--batch"},
                              "exclusive\t105\t17.5\n"
                              "exclusive\t" +
                                  tooLong +
                                  "\t17.5\n"
                                  "inclusive\t117\t17.5\n"
                                  "exclusive\t" +
                                  longest +
                                  "1\t5\n"
                                  "exclusive\t" +
                                  longest + "000\t5\r\n" + "exclusive\t" + longest +
                                  "0000\t5\r\n"
                                  "exclusive\t" +
                                  tooLong + "\t5");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out,
              "18.375\t18.38\t123.38\t105.00\t105\t\n"
              "\t\t\t\t\tBad input line: too long\n"
              "17.4255319148936\t17.43\t117.00\t99.57\t99.5744680851064\t\n"
              "0.05\t0.05\t1.05\t1.00\t1\t\n"
              "0\t0.00\t0.00\t0.00\t0\t\n"  // the limit exactly, then CR LF
              "\t\t\t\t\tBad input line: too long\n"
              "\t\t\t\t\tBad input line: too long\n");
    EXPECT_EQ(run.err, "");
}

TEST(CliBatch, StopsAtOnceWhenItsReaderGoesAwayWithSigpipeIgnored) {
    // Ignored here, the signal stays ignored in the calculator, as many daemons and language
    // runtimes leave it; writing to a pipe nobody reads then fails with EPIPE.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    int input[2];
    int output[2];
    int error[2];
    ASSERT_EQ(pipe2(input, O_CLOEXEC), 0);
    ASSERT_EQ(pipe2(output, O_CLOEXEC), 0);
    ASSERT_EQ(pipe2(error, O_CLOEXEC), 0);
    const pid_t pid = Spawn({"--batch"}, input[0], output[1], error[1]);
    close(input[0]);
    close(output[1]);
    close(error[1]);

    // Two million lines offered; the writer stops when the calculator has gone.
    constexpr long kOffered = 2'000'000;
    long written = 0;
    std::thread feeder([&] {
        const std::string line = "exclusive\t123456.78\t17.5\n";
        while (written < kOffered && write(input[1], line.data(), line.size()) > 0) {
            ++written;
        }
        close(input[1]);
    });
    char first[64];
    EXPECT_GT(read(output[0], first, sizeof first), 0);
    close(output[0]);  // the reader goes away
    const int status = ExitStatus(pid);
    feeder.join();
    std::string message(256, '\0');
    message.resize(static_cast<std::size_t>(
        std::max<ssize_t>(0, read(error[0], message.data(), message.size()))));
    close(error[0]);
    std::signal(SIGPIPE, previous);

    EXPECT_EQ(status, 3);
    EXPECT_EQ(message, "tolvi-vat-cli: cannot write the output: Broken pipe\n");
    EXPECT_LT(written, kOffered / 10);
}

TEST(CliBatch, WaitsForANonBlockingInputAndOutput) {
    // Set by whoever started it, as some runtimes leave them: reads and writes that cannot go
    // on at once fail with EAGAIN, and the calculator waits for its input and output instead.
    const std::string input = BatchLines(30'000);
    const CliRun expected = RunCli({"--batch"}, input);
    int in[2];
    int out[2];
    int err[2];
    ASSERT_EQ(pipe2(in, O_CLOEXEC), 0);
    ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
    ASSERT_EQ(pipe2(err, O_CLOEXEC), 0);
    ASSERT_EQ(fcntl(in[0], F_SETFL, O_NONBLOCK), 0);
    ASSERT_EQ(fcntl(out[1], F_SETFL, O_NONBLOCK), 0);
    const pid_t pid = Spawn({"--batch"}, in[0], out[1], err[1]);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    const auto previous = std::signal(SIGPIPE, SIG_IGN);  // should it end early
    std::thread writer([&] {  // in pieces, with pauses: the input is often not ready
        for (std::size_t at = 0; at < input.size(); at += 4096) {
            const std::string_view piece = std::string_view(input).substr(at, 4096);
            if (write(in[1], piece.data(), piece.size()) != static_cast<ssize_t>(piece.size())) {
                break;
            }
            if (at % 65536 == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        close(in[1]);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the output pipe fills up
    const std::string output = ReadAll(out[0]);
    writer.join();
    std::signal(SIGPIPE, previous);
    EXPECT_EQ(ReadAll(err[0]), "");
    close(out[0]);
    close(err[0]);
    EXPECT_EQ(ExitStatus(pid), 0);
    EXPECT_EQ(output.size(), expected.out.size());
    EXPECT_TRUE(output == expected.out);
}

TEST(CliBatch, AStopSignalNeverCutsARow) {
    // Rows with fifteen-digit numbers, so that a cut one would still look like a number.
    std::string input;
    for (int i = 0; i < 200'000; ++i) {
        input += "inclusive\t" + std::to_string(123'456 + i * 7) + ".89\t17.5\n";
    }
    const CliRun full = RunCli({"--batch"}, input);
    ASSERT_EQ(full.status, 0);
    char directory[] = "/tmp/tolvi-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(directory), nullptr);
    const std::string inPath = std::string(directory) + "/in";
    const std::string outPath = std::string(directory) + "/out";
    std::ofstream(inPath, std::ios::binary) << input;

    constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
    std::mt19937 random(20261207);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int stopped = 0;
    for (int round = 0; round < 24 && std::chrono::steady_clock::now() < deadline; ++round) {
        const int signal = kSignals[round % 3];
        const bool toPipe = round % 2 == 0;
        const bool slowReader = round % 4 < 2;  // the output blocks when the signal comes
        const auto delay = std::chrono::milliseconds(1 + random() % 200);
        SCOPED_TRACE(testing::Message()
                     << "round " << round << ": signal " << signal << " after " << delay.count()
                     << " ms, output to a " << (toPipe ? "pipe" : "file")
                     << (toPipe && slowReader ? " read late" : ""));
        const int in = open(inPath.c_str(), O_RDONLY | O_CLOEXEC);
        int pipeEnds[2] = {-1, -1};
        ASSERT_EQ(pipe2(pipeEnds, O_CLOEXEC), 0);
        const int out = toPipe
                            ? pipeEnds[1]
                            : open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int err = open("/dev/null", O_WRONLY | O_CLOEXEC);
        const pid_t pid = Spawn({"--batch"}, in, out, err);
        for (const int mine : {in, out, err, pipeEnds[1]}) {
            close(mine);
        }
        std::string output;
        std::thread reader([&] {
            if (slowReader) {
                std::this_thread::sleep_for(delay + std::chrono::milliseconds(100));
            }
            output = ReadAll(pipeEnds[0]);
        });
        std::this_thread::sleep_for(delay);
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        reader.join();
        close(pipeEnds[0]);
        if (!toPipe) {
            output = ReadFile(outPath);
        }

        // Stopped with 128 + the signal, or done before it came, or killed before it started.
        if (WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) {
            ++stopped;
        } else if (WIFSIGNALED(status)) {
            EXPECT_EQ(WTERMSIG(status), signal);
            EXPECT_EQ(output, "") << "killed while it wrote";
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
            EXPECT_EQ(output.size(), full.out.size());
        }
        // Every row written is the whole row of the full run.
        const std::size_t lastRow = output.rfind('\n', output.size() - 2) + 1;
        EXPECT_TRUE(output.empty() || output.back() == '\n')
            << "the last row is cut: " << output.substr(lastRow);
        EXPECT_TRUE(full.out.starts_with(output)) << "rows differ from the full run's";
    }
    EXPECT_GT(stopped, 0);
    std::remove(inPath.c_str());
    std::remove(outPath.c_str());
    rmdir(directory);
}

TEST(CliTotals, AStopSignalLeavesNoTable) {
    int in[2];
    ASSERT_EQ(pipe2(in, O_CLOEXEC), 0);
    std::FILE* out = std::tmpfile();  // a file: no pipe's pacing drops the rows
    const int err = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t pid = Spawn({"--totals"}, in[0], fileno(out), err);
    close(in[0]);
    close(err);
    // More than the pipe holds: written once the calculator reads. The input stays open.
    const std::string lines = BatchLines(20'000);
    ASSERT_EQ(write(in[1], lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    kill(pid, SIGTERM);
    EXPECT_EQ(ExitStatus(pid), 128 + SIGTERM);
    lseek(fileno(out), 0, SEEK_SET);
    EXPECT_EQ(ReadAll(fileno(out)), "");
    close(in[1]);
    std::fclose(out);
}

TEST(CliBatch, AStopSignalEndsTheBatchWhileItsReaderHasStalled) {
    // The output pipe fills and nobody reads it: the signal still ends the batch, with the
    // rows that fitted, each whole.
    const std::string input = BatchLines(200'000);
    const CliRun full = RunCli({"--batch"}, input);
    char directory[] = "/tmp/tolvi-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(directory), nullptr);
    const std::string inPath = std::string(directory) + "/in";
    std::ofstream(inPath, std::ios::binary) << input;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(testing::Message() << "signal " << signal);
        const int in = open(inPath.c_str(), O_RDONLY | O_CLOEXEC);
        int out[2];
        ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
        const int err = open("/dev/null", O_WRONLY | O_CLOEXEC);
        const pid_t pid = Spawn({"--batch"}, in, out[1], err);
        for (const int mine : {in, out[1], err}) {
            close(mine);
        }
        pollfd started{out[0], POLLIN, 0};  // it has answered, so it takes the signal
        EXPECT_EQ(poll(&started, 1, 10'000), 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the pipe is full
        kill(pid, signal);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (waitpid(pid, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (waitpid(pid, &status, WNOHANG) == 0) {
            ADD_FAILURE() << "still running 5 s after the signal";
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        const std::string output = ReadAll(out[0]);
        close(out[0]);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal)
            << "status " << status;
        EXPECT_FALSE(output.empty());
        EXPECT_TRUE(output.empty() || output.back() == '\n') << "the last row is cut";
        EXPECT_TRUE(full.out.starts_with(output)) << "rows differ from the full run's";
    }
    std::remove(inPath.c_str());
    rmdir(directory);
}

TEST(CliBatch, AHangupIgnoredByItsStarterStaysIgnored) {
    // As nohup starts it: the calculator goes on to the end.
    const auto previous = std::signal(SIGHUP, SIG_IGN);
    int in[2];
    int out[2];
    ASSERT_EQ(pipe2(in, O_CLOEXEC), 0);
    ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
    const pid_t pid = Spawn({"--batch"}, in[0], out[1], out[1]);
    std::signal(SIGHUP, previous);
    close(in[0]);
    close(out[1]);
    const std::string line = "exclusive\t105\t17.5\n";
    ASSERT_EQ(write(in[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    char answer[64];
    ASSERT_GT(read(out[0], answer, sizeof answer), 0);  // it has started and answered
    kill(pid, SIGHUP);
    ASSERT_EQ(write(in[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    close(in[1]);
    const std::string rest = ReadAll(out[0]);
    close(out[0]);
    EXPECT_EQ(ExitStatus(pid), 0);
    EXPECT_EQ(rest, "18.375\t18.38\t123.38\t105.00\t105\t\n");
}

}  // namespace
