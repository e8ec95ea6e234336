#include "cli/batch.h"

#include <stdio.h>
#include <sys/wait.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <thread>

#include <gtest/gtest.h>

#include "cli/cli_common.h"
#include "cli/command_io.h"
#include "tests/cli/cli_run.h"
#include "tests/fuzz/batch_inputs.h"

namespace thermalyx {
namespace {

using cli::BatchLine;
using cli::BatchLineKind;
using nlohmann::json;

const std::string kSample = THERMALYX_SAMPLE_DIR;
const std::vector<std::string> kSteady = {"steady",      "--series",   "QH-Series", "--type",
                                          "2NQ400E-060", "--capacity", "30"};

// ---- one line, read and vetted ----

struct LineCase {
    const char* text;
    BatchLineKind kind;
    const char* errorPart;  // Refused: a part of the reason
};

class BatchLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(BatchLineTest, IsBlankACommandOrRefusedWithItsReason) {
    const LineCase& c = GetParam();
    const BatchLine line = cli::parseBatchLine(c.text);
    EXPECT_EQ(line.kind, c.kind) << c.text;
    if (c.kind == BatchLineKind::Refused) {
        EXPECT_NE(line.error.find(c.errorPart), std::string::npos) << c.text << ": " << line.error;
        EXPECT_TRUE(line.args.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchLineTest,
    testing::Values(
        LineCase{"", BatchLineKind::Blank, ""}, LineCase{" \t \r", BatchLineKind::Blank, ""},
        LineCase{R"(["find","--kind","0","--a","QH-Series"])", BatchLineKind::Command, ""},
        LineCase{"[\"library\"]\r", BatchLineKind::Command, ""},
        LineCase{R"({"id":{"a":[1]},"args":["library"],"note":1})", BatchLineKind::Command, ""},
        LineCase{R"(["sweep-it"])", BatchLineKind::Refused, "batch runs only library, find"},
        LineCase{R"(["build-library","--out","x"])", BatchLineKind::Refused, "\"build-library\""},
        LineCase{R"(["batch"])", BatchLineKind::Refused, "not \"batch\""},
        LineCase{R"(["steady",)", BatchLineKind::Refused, "not valid JSON"},
        LineCase{R"("steady")", BatchLineKind::Refused, "a JSON array of arguments"},
        LineCase{"[]", BatchLineKind::Refused, "empty"},
        LineCase{R"({"id":1})", BatchLineKind::Refused, "no \"args\" array"},
        LineCase{R"({"args":"steady"})", BatchLineKind::Refused, "no \"args\" array"},
        LineCase{R"(["steady",30])", BatchLineKind::Refused, "must be a string"},
        LineCase{R"(["library","--help"])", BatchLineKind::Refused, "--help prints no JSON"},
        LineCase{R"(["library","-h"])", BatchLineKind::Refused, "-h prints no JSON"},
        LineCase{R"(["library","--version"])", BatchLineKind::Refused, "--version"},
        LineCase{R"(["rank","--format","csv"])", BatchLineKind::Refused, "--format \"csv\""},
        LineCase{R"(["rank","--format=csv"])", BatchLineKind::Refused, "--format \"csv\""},
        LineCase{R"(["rank","--format=json"])", BatchLineKind::Command, ""},
        LineCase{R"(["steady","--report","r.txt"])", BatchLineKind::Refused, "--report writes"},
        LineCase{R"(["steady","--waveform-csv=w.csv"])", BatchLineKind::Refused,
                 "--waveform-csv writes"}));

TEST(BatchLine, KeepsTheIdAndTheArgumentsAndRefusesDeepNesting) {
    BatchLine line = cli::parseBatchLine(R"({"id":null,"args":["find","--a","é"]})");
    ASSERT_EQ(line.kind, BatchLineKind::Command);
    ASSERT_TRUE(line.id.has_value());
    EXPECT_TRUE(line.id->is_null());
    EXPECT_EQ(line.args, (std::vector<std::string>{"find", "--a", "é"}));
    EXPECT_FALSE(cli::parseBatchLine(R"(["library"])").id.has_value());

    // The id of a refused object is kept for its answer.
    line = cli::parseBatchLine(R"({"id":"x7","args":[]})");
    EXPECT_EQ(line.kind, BatchLineKind::Refused);
    EXPECT_EQ(line.id, json("x7"));
    EXPECT_EQ(cli::batchAnswer(3, line, cli::kExitBadLine, "no"),
              R"({"line":3,"id":"x7","exit":64,"error":"no"})");

    const std::string deep = "{\"id\":" + std::string(100000, '[') + std::string(100000, ']') +
                             ",\"args\":[\"library\"]}";
    EXPECT_NE(cli::parseBatchLine(deep).error.find("nests deeper"), std::string::npos);
    // Brackets inside strings are no nesting.
    EXPECT_EQ(
        cli::parseBatchLine(R"({"id":")" + std::string(1000, '[') + R"(","args":["library"]})")
            .kind,
        BatchLineKind::Command);
}

// ---- the window: order and bound ----

// Endless-looking input made on the fly: line i is ["library","<i>"], with a
// blank line every seventh.
class GeneratedLines : public std::streambuf {
public:
    explicit GeneratedLines(std::size_t count) : count_(count) {}

protected:
    int_type underflow() override {
        if (made_ == count_) return traits_type::eof();
        ++made_;
        line_ = made_ % 7 == 0 ? "  \r\n" : "[\"library\",\"" + std::to_string(made_) + "\"]\n";
        setg(line_.data(), line_.data(), line_.data() + line_.size());
        return traits_type::to_int_type(line_.front());
    }

private:
    std::size_t count_;
    std::size_t made_ = 0;
    std::string line_;
};

TEST(BatchWindow, AnswersInInputOrderWithAtMostTheWindowInMemory) {
    constexpr std::size_t kLines = 20000;
    std::atomic<int> running = 0;
    std::atomic<int> mostRunning = 0;
    const cli::CommandRunner echo = [&](const std::vector<std::string>& args, std::ostream& out,
                                        std::ostream& err) {
        const int now = ++running;
        int seen = mostRunning;
        while (now > seen && !mostRunning.compare_exchange_weak(seen, now)) {
        }
        if (args[1].back() == '3') std::this_thread::yield();  // finish out of order
        const int status = args[1].back() == '5' ? 2 : 0;
        (status == 0 ? out : err) << args[1] << '\n';
        --running;
        return status;
    };
    GeneratedLines input(kLines);
    std::istream in(&input);
    std::ostringstream out;
    cli::BatchOptions options;
    options.jobs = 3;
    options.window = 8;
    cli::BatchCounts counts;
    EXPECT_EQ(cli::runBatch(in, out, options, echo, &counts), cli::kExitBatchLineFailed);

    EXPECT_EQ(counts.lines, kLines);
    EXPECT_LE(counts.mostInFlight, options.window);
    EXPECT_LE(mostRunning, options.jobs);
    std::istringstream answers(out.str());
    std::string answer;
    std::size_t expected = 0;
    std::size_t written = 0;
    while (std::getline(answers, answer)) {
        do ++expected;
        while (expected % 7 == 0);
        const std::string n = std::to_string(expected);
        const std::string want = n.back() == '5'
                                     ? R"({"line":)" + n + R"(,"exit":2,"error":")" + n + "\"}"
                                     : R"({"line":)" + n + R"(,"exit":0,"result":)" + n + "}";
        ASSERT_EQ(answer, want);
        ++written;
    }
    EXPECT_EQ(written, kLines - kLines / 7);
}

TEST(LibraryCache, LoadsEachFolderOnceForAnyNumberOfThreads) {
    cli::LibraryCache cache;
    std::vector<cli::OpenedLibrary> seen(8);
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < seen.size(); ++i)
            threads.emplace_back([&, i] { seen[i] = cache.open(kSample); });
    }
    for (const auto& opened : seen) EXPECT_EQ(opened.library, seen.front().library);
    EXPECT_TRUE(seen.front().loaded);
    EXPECT_GT(seen.front().library->deviceCount, 0);
    const cli::OpenedLibrary missing = cache.open("no-such-folder");
    EXPECT_FALSE(missing.loaded);
    EXPECT_NE(missing.loadErrors.find("Error= "), std::string::npos);
    EXPECT_EQ(cache.open(kSample).library, seen.front().library);
    EXPECT_EQ(cache.loads(), 2u);
}

// ---- whole batches, in-process and as the built program ----

std::string lineOf(const std::vector<std::string>& args, const std::string& id = {}) {
    const json array(args);
    return id.empty() ? array.dump() : json{{"id", id}, {"args", array}}.dump();
}

struct BatchRun {
    int status = 0;
    std::string output;
};

BatchRun runBatchOf(const std::string& input, int jobs) {
    std::istringstream in(input);
    std::ostringstream out;
    cli::BatchOptions options;
    options.dataFolder = kSample;
    options.jobs = jobs;
    const int status = cli::runBatchCommand(options, in, out);
    return {status, out.str()};
}

std::vector<json> answersOf(const std::string& output) {
    std::vector<json> answers;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) answers.push_back(json::parse(line));
    return answers;
}

TEST(Batch, EveryLineGetsItsOwnAnswerAndTheRestStillRun) {
    std::vector<std::string> unknown = kSteady;
    unknown[4] = "NO-SUCH";
    std::vector<std::string> rejected = kSteady;
    rejected.insert(rejected.end(), {"--output-current", "99999"});
    const std::string input = lineOf(kSteady, "good") + "\n{\"args\": [\n" +
                              lineOf({"frobnicate"}, "other") + "\r\n   \n" + lineOf(rejected) +
                              "\n" + lineOf(unknown, "unknown") + "\n" +
                              lineOf({"steady", "--report", "r.txt"}) + "\n" +
                              lineOf({"find", "--kind", "0", "--a", "QH-Series"}, "last") + "\n" +
                              lineOf({"library", "--data", "no-such-folder"});
    const BatchRun run = runBatchOf(input, 2);
    EXPECT_EQ(run.status, cli::kExitBatchLineFailed);
    const std::vector<json> a = answersOf(run.output);
    ASSERT_EQ(a.size(), 8u) << run.output;
    const std::vector<int> lines = {1, 2, 3, 5, 6, 7, 8, 9};
    // The last line's own --data wins over the batch's.
    const std::vector<int> exits = {0,
                                    64,
                                    64,
                                    cli::kExitInputRejected,
                                    cli::kExitUnknownDevice,
                                    64,
                                    0,
                                    cli::kExitLibraryNotLoaded};
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].at("line"), lines[i]);
        EXPECT_EQ(a[i].at("exit"), exits[i]) << a[i];
        EXPECT_EQ(a[i].contains("result"), exits[i] == 0) << a[i];
    }
    EXPECT_EQ(a[0].at("id"), "good");
    EXPECT_FALSE(a[1].contains("id"));
    EXPECT_EQ(a[2].at("id"), "other");
    EXPECT_NE(a[4].at("error").get<std::string>().find("no device with series"), std::string::npos);
    EXPECT_NE(a[5].at("error").get<std::string>().find("--report writes a file"),
              std::string::npos);
    EXPECT_EQ(a[6].at("result").at("found"), true);

    EXPECT_EQ(runBatchOf(lineOf(kSteady) + "\n\n", 1).status, cli::kExitBatchOk);
}

TEST(Batch, SameAnswersForOneAndEightWorkers) {
    std::string input;
    for (int i = 1; i <= 120; ++i) {
        std::vector<std::string> args = kSteady;
        args.insert(args.end(), {"--output-current", std::to_string(i * 3)});
        input += lineOf(args, std::to_string(i)) + "\n";
        if (i % 40 == 0) input += "not json\n";
    }
    const BatchRun one = runBatchOf(input, 1);
    const BatchRun eight = runBatchOf(input, 8);
    EXPECT_EQ(one.status, cli::kExitBatchLineFailed);
    EXPECT_EQ(answersOf(one.output).size(), 123u);
    EXPECT_EQ(one.output, eight.output);
}

// The answer of a line holds exactly what the command run alone prints.
TEST(Batch, ResultsAndErrorsAreTheSeparateCommandsOutputs) {
    std::vector<std::string> unknown = kSteady;
    unknown[2] = "NO-SUCH";
    const std::vector<std::vector<std::string>> commands = {
        kSteady,
        {"find", "--kind", "1", "--a", "2NQ400E-060"},
        {"library"},
        {"rank", "--output-frequency", "50", "--output-current", "100", "--carrier-frequency", "10",
         "--power-factor", "0.9", "--modulation-rate", "1", "--dc-voltage", "300", "--capacity",
         "30", "--ac-voltage", "200V"},
        unknown};
    std::string input;
    for (const auto& args : commands) input += lineOf(args) + "\n";
    const std::vector<json> answers = answersOf(runBatchOf(input, 2).output);
    ASSERT_EQ(answers.size(), commands.size());

    const std::string errorFile = testing::TempDir() + "batch_test_stderr.txt";
    for (std::size_t i = 0; i < commands.size(); ++i) {
        std::vector<std::string> args = commands[i];
        args.insert(args.end(), {"--data", kSample});
        const cli_test::CliRun alone = cli_test::runCli(args, errorFile);
        ASSERT_EQ(answers[i].at("exit"), alone.status) << args[0];
        // The answer line as written, not as parsed: the result's own bytes.
        std::istringstream lines(runBatchOf(lineOf(commands[i]), 1).output);
        std::string raw;
        std::getline(lines, raw);
        if (alone.status == 0) {
            const std::string compact = json::parse(alone.output).dump();
            EXPECT_EQ(raw, R"({"line":1,"exit":0,"result":)" + compact + "}") << args[0];
        } else {
            std::ifstream file(errorFile);
            std::string message((std::istreambuf_iterator<char>(file)), {});
            while (message.ends_with('\n')) message.pop_back();
            EXPECT_EQ(answers[i].at("error"), message);
        }
    }
}

// The batch fuzz target's seeds and every kept regression, as the target runs them.
TEST(BatchFuzzInputs, EveryKeptInputRunsCleanly) {
    int replayed = 0;
    for (const char* folder : {"corpus/batch", "regressions"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(THERMALYX_FUZZ_DIR) + folder)) {
            if (!entry.is_regular_file()) continue;
            SCOPED_TRACE(entry.path().filename().string());
            std::ifstream in(entry.path(), std::ios::binary);
            fuzz::exerciseBatch(
                std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 2);
}

TEST(Batch, TheProgramExitsWithOneWhenItsInputCannotBeRead) {
    const std::string command =
        cli_test::shellQuote(THERMALYX_CLI_PATH) + " batch < . 2>/dev/null >/dev/null";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), cli::kExitBatchInputUnreadable);
}

}  // namespace
}  // namespace thermalyx
