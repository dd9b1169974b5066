// The command-line calculator, run as a built binary.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/worked_recalculations.h"

extern char** environ;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs the CLI with these arguments and this standard input, without a shell.
CliRun RunCli(std::vector<std::string> arguments, const std::string& input = "") {
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
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    arguments.insert(arguments.begin(), TOLVI_VAT_CLI);
    std::vector<char*> argv;
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    CliRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, TOLVI_VAT_CLI, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

TEST(CliBatch, ReproducesTheWorkedRecalculations) {
    std::string input;
    std::string expected;
    for (const tolvi::test::WorkedRecalculation& row : tolvi::test::kWorkedRecalculations) {
        input.append(tolvi::test::ModeName(row.mode)).append("\t").append(row.amount);
        input.append("\t").append(row.rate).append("\n");
        for (const std::string_view field :
             {row.vatCaption, row.roundedVat, row.total, row.price, row.unformattedPrice}) {
            expected.append(field).append("\t");
        }
        expected += '\n';
    }
    const CliRun run = RunCli({"--batch"}, input);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
}

TEST(CliBatch, ReportsErrorsAndBadLinesAndGoesOn) {
    const std::string input =
        "inclusive\t\t17.5\r\n"      // total cannot be formatted
        "inclusive\t5\t-100\n"       // divides by zero before any field is written
        "sideways\t5\t5\n"           // unknown mode
        "exclusive\t5\n"             // too few fields
        "exclusive\t5\t5\t5\n"       // too many fields
        "\n"                         // empty
        "exclusive\t1,000\t20\r\n";  // commas are read away, CR dropped
    const CliRun run = RunCli({"--batch"}, input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out,
              "0\t0.00\t\t0.00\t0\tType mismatch\n"
              "0.00\t\t\t\t0.00\tDivision by zero\n"
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

TEST(CliSingle, AnErrorStillPrintsTheFieldsAndExitsWithOne) {
    const CliRun run = RunCli({"--inclusive", "", "0"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "VAT: 0\nRounded VAT: 0.00\nTotal: \nPrice: 0.00\nUnformatted price: 0\n");
    EXPECT_EQ(run.err, "error: Type mismatch\n");
}

TEST(CliUsage, HelpAndWrongInvocations) {
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tolvi-vat-cli"), std::string::npos);

    for (const std::vector<std::string>& wrong : {std::vector<std::string>{},
                                                  {"--inclusive", "5"},
                                                  {"--exclusive", "1", "2", "3"},
                                                  {"--batch", "x"},
                                                  {"--sideways", "1", "2"},
                                                  {"-h"}}) {
        const CliRun run = RunCli(wrong);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Usage: tolvi-vat-cli"), std::string::npos);
    }
}

}  // namespace
