// Runs the built quorvel-cli as a user would and checks what it prints and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <poll.h>
#include <spawn.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "quorvel/version.h"
#include "rule_cases.h"

namespace quorvel {
namespace {

struct run_result {
    std::string out;
    std::string err;
    int status;
};

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

// The program as a shell command; a cross-built program runs under its emulator.
std::string program() {
    return std::string(QUORVEL_CLI_EMULATOR) + " " + quoted(QUORVEL_CLI_PATH);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the program with the arguments (which may hold redirections), the input on standard input
// when there is one, and environment settings before it.
run_result run(const std::string& arguments, const std::string& input = {},
               const std::string& environment = {}) {
    const std::string error_path = ::testing::TempDir() + "cli_test_error.txt";
    std::string command =
        environment + " " + program() + " " + arguments + " 2>" + quoted(error_path);
    if (!input.empty()) {
        const std::string input_path = ::testing::TempDir() + "cli_test_input.txt";
        std::ofstream(input_path, std::ios::binary) << input;
        command += " < " + quoted(input_path);
    }
    FILE* pipe = popen(command.c_str(), "r");
    run_result result{{}, {}, -1};
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = read_file(error_path);
    return result;
}

// Settings that preload the test's stream and converter faults into the program.
std::string with_faults(const std::string& faults) {
    // AddressSanitizer wants to come first among the loaded libraries; here it cannot.
    return "ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=" + quoted(QUORVEL_STREAM_FAULTS) +
           " " + faults;
}

std::string arguments_of(const testing::press_case& c) {
    std::string arguments = std::to_string(static_cast<int>(c.pressed) + 1);
    for (const auto& text : c.texts) {
        arguments += " " + quoted(text);
    }
    return arguments;
}

TEST(cli, prints_what_the_window_shows) {
    struct example {
        std::string arguments;
        std::string out;
        int status;
    };
    const example examples[] = {
        {"1 100 1.6 4.8", "x:y=75:25\n", 0},
        {"2 100 3 3 5", "x:y:z=41:33:24\n", 0},
        {"3 1000 3 4 5 10", "x:y:z:t=382:287:229:100\n", 0},
        {"1 100 2 2", "赔率不够！(1)\n", 1},
        {"1 '' 2 3", "您未输入交易金额！\n", 1},
        {"1 100 '' 3", "请按顺序从上向下输入赔率！！\n", 1},
        {"1 100 2 '' 3", "", 2},
        {"1 100 2", "", 2},
        {"1", "您未输入交易金额！\n", 1},
        {"1 '１２.５' 2.5 2.5", "x:y=6:6\n", 0},   // full-width digits fold
        {"1 100 '2.5' '2.5😀'", "x:y=50:50\n", 0},  // no GBK form: "?", after the number
        {"--gbk 1 \"$(printf '\\243\\261\\243\\260\\243\\260')\" 2.5 2.5", "x:y=50:50\n", 0},
    };
    for (const auto& e : examples) {
        const auto result = run(e.arguments);
        EXPECT_EQ(result.out, e.out) << e.arguments;
        EXPECT_EQ(result.status, e.status) << e.arguments;
    }
}

TEST(cli, tells_its_version) {
    const auto result = run("--version");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "quorvel-cli " QUORVEL_VERSION "\n");
    int major = -1;
    int minor = -1;
    int patch = -1;
    EXPECT_EQ(std::sscanf(QUORVEL_VERSION, "%d.%d.%d", &major, &minor, &patch), 3);
}

TEST(cli, refuses_bad_usage) {
    for (const char* arguments :
         {"", "4 100 2 2", "x", "1 1 2 3 4 5 6", "--batch 1", "1 \"$(printf '\\377')\" 2 3",
          "--gbk", "--explain --json 1 100 2 2", "--batch --explain", "--batch --gbk"}) {
        const auto result = run(arguments);
        EXPECT_EQ(result.status, 64) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
    }
}

TEST(cli, batch_gives_one_line_per_press_and_goes_on_after_errors) {
    const std::string input =
        "1\t100\t1.6\t4.8\t\t\n"
        "1\t100\t2\t2\n"
        "1\t100\t2\t\t3\n"
        "7\t100\t2\t2\n"
        "2\t100\t3\\q\t3\n"
        "2\t100\t\\x3\t3\n"
        "2\t100\t3\t3\t5\t\t\t\n"
        "3\t\\xa3\\xb1\\xa3\\xb0\\xa3\\xb0\\xa3\\xb0\t3\t4\t5\t10\r\n"
        "\n"
        "1\t100\t2.5\t2.5";
    const auto result = run("--batch", input);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "result\tx:y=75:25\n"
              "notice\t赔率不够！(1)\n"
              "silent\n"
              "error\tthe button must be 1, 2 or 3\n"
              "error\ttext 2: unknown escape (use \\\\, \\t, \\n, \\r or \\xHH)\n"
              "error\ttext 2: \\x must be followed by two hexadecimal digits\n"
              "error\tmore than five texts after the button\n"
              "result\tx:y:z:t=382:287:229:100\n"
              "error\tthe button must be 1, 2 or 3\n"
              "result\tx:y=50:50\n");
}

TEST(cli, batch_refuses_an_overlong_line_and_goes_on) {
    const std::string input = "1\t" + std::string(2U << 20U, '7') + "\n1\t100\t2.5\t2.5\n";
    const auto result = run("--batch", input);
    EXPECT_EQ(result.out, "error\tline longer than 1048576 bytes\nresult\tx:y=50:50\n");
}

TEST(cli, agrees_with_the_rules_on_every_case) {
    std::string input;
    std::string expected;
    for (const auto& c : testing::rule_cases()) {
        const auto result = run(arguments_of(c));
        EXPECT_EQ(result.out, c.shown.empty() ? "" : c.shown + "\n") << c;
        input += std::to_string(static_cast<int>(c.pressed) + 1);
        for (const auto& text : c.texts) {
            input += "\t" + text;
        }
        input += "\n";
        const bool is_line = c.shown.rfind("x:", 0) == 0;
        expected += (is_line ? "result\t" : "notice\t") + c.shown + "\n";
    }
    // The batch takes raw GBK: the cases' texts are plain ASCII, so they pass unchanged.
    EXPECT_EQ(run("--batch", input).out, expected);
}

TEST(cli, a_failed_write_is_reported_and_exits_74) {
    const std::string batch_input = "1\t100\t2.5\t2.5\n";
    for (const auto& [arguments, input] : std::vector<std::pair<std::string, std::string>>{
             {"1 100 2.5 2.5 >/dev/full", ""},
             {"1 100 2.5 2.5 >&-", ""},
             {"1 100 2 2 >/dev/full", ""},
             {"--json 1 100 2.5 2.5 >/dev/full", ""},
             {"--explain 1 100 2.5 2.5 >/dev/full", ""},
             {"--help >/dev/full", ""},
             {"--batch >/dev/full", batch_input},
             {"--batch >&-", batch_input},
         }) {
        const auto result = run(arguments, input);
        EXPECT_EQ(result.status, 74) << arguments;
        EXPECT_NE(result.err.find("quorvel-cli: cannot write standard output: "), std::string::npos)
            << arguments << ": " << result.err;
    }
}

TEST(cli, a_failed_read_is_reported_and_exits_74) {
    for (const char* arguments : {"--batch <&-", "--batch < /"}) {
        const auto result = run(arguments);
        EXPECT_EQ(result.status, 74) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
        EXPECT_NE(result.err.find("quorvel-cli: cannot read standard input: "), std::string::npos)
            << arguments << ": " << result.err;
    }
}

// The whole of "1\t100\t2.5\t2.5" gives x:y=50:50; the piece "1\t100\t2.5\t2" before the failure
// would give x:y=44:55, and must give nothing.
TEST(cli, a_line_cut_short_by_a_read_failure_gets_no_answer) {
    const std::string line = "1\t100\t2.5\t2.5\n";
    const std::size_t cut = line.size() + line.size() - 3;
    const auto result = run("--batch", line + line + line,
                            with_faults("QUORVEL_FAIL_READ_AFTER=" + std::to_string(cut)));
    EXPECT_EQ(result.out, "result\tx:y=50:50\n");
    EXPECT_EQ(result.status, 74);
    EXPECT_NE(result.err.find("cannot read standard input"), std::string::npos) << result.err;
}

TEST(cli, without_a_gbk_converter_it_fails_clearly_after_the_answers_before) {
    // The first line needs no converter; the notice of the second does.
    const auto batch = run("--batch", "1\t100\t2.5\t2.5\n1\t100\t2\t2\n1\t100\t2.5\t2.5\n",
                           with_faults("QUORVEL_FAIL_ICONV=1"));
    EXPECT_EQ(batch.out, "result\tx:y=50:50\n");
    EXPECT_EQ(batch.status, 69);
    EXPECT_NE(batch.err.find("cannot convert between UTF-8 and CP936"), std::string::npos)
        << batch.err;

    const auto single = run("1 100 2.5 2.5", {}, with_faults("QUORVEL_FAIL_ICONV=1"));
    EXPECT_EQ(single.out, "");
    EXPECT_EQ(single.status, 69);
    EXPECT_NE(single.err.find("CP936"), std::string::npos) << single.err;
}

TEST(cli, batch_refuses_a_raw_carriage_return_inside_a_line) {
    const auto result = run("--batch",
                            "1\t100\t2.5\r1\t100\t2.5\r\n"
                            "1\t100\t2.5\t2.5\r\n"
                            "1\t100\t2.5\\r\t2.5\n");
    EXPECT_EQ(result.out,
              "error\ta carriage return inside the line (write \\r for one in a text)\n"
              "result\tx:y=50:50\n"
              "result\tx:y=50:50\n");
}

// Run as a coprocess, the batch answers each line before the next one is sent.
TEST(cli, a_coprocess_gets_each_answer_before_it_sends_the_next_line) {
    int to_program[2];
    int from_program[2];
    ASSERT_EQ(pipe(to_program), 0);
    ASSERT_EQ(pipe(from_program), 0);
    const std::string command = program() + " --batch";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, to_program[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, from_program[1], STDOUT_FILENO);
    for (const int fd : {to_program[0], to_program[1], from_program[0], from_program[1]}) {
        posix_spawn_file_actions_addclose(&actions, fd);
    }
    std::string shell = "sh";
    std::string dash_c = "-c";
    std::string script = command;
    std::array<char*, 4> shell_arguments = {shell.data(), dash_c.data(), script.data(), nullptr};
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, "/bin/sh", &actions, nullptr, shell_arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(spawned, 0);
    close(to_program[0]);
    close(from_program[1]);
    const std::vector<std::pair<std::string, std::string>> exchanges = {
        {"1\t100\t2.5\t2.5\n", "result\tx:y=50:50\n"},
        {"2\t100\t3\t3\t5\n", "result\tx:y:z=41:33:24\n"},
        {"1\t100\t2\t2\n", "notice\t赔率不够！(1)\n"},
    };
    for (const auto& [line, answer] : exchanges) {
        ASSERT_EQ(write(to_program[1], line.data(), line.size()),
                  static_cast<ssize_t>(line.size()));
        std::string got;
        while (got.empty() || got.back() != '\n') {
            pollfd ready{from_program[0], POLLIN, 0};
            // Only a bound for a program that never answers; an answer takes milliseconds.
            ASSERT_EQ(poll(&ready, 1, 60'000), 1) << "no answer to " << line;
            char buffer[256];
            const ssize_t count = read(from_program[0], buffer, sizeof buffer);
            ASSERT_GT(count, 0);
            got.append(buffer, static_cast<std::size_t>(count));
        }
        EXPECT_EQ(got, answer);
    }
    close(to_program[1]);
    close(from_program[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(cli, explains_a_result_line) {
    const std::vector<std::pair<std::string, std::string>> examples = {
        {"--explain 1 100 3 4 5",
         "x:y:z=42:31:25\n"
         "\n"
         "   stake  odds  return  profit\n"
         "x     42     3  126.00   28.00\n"
         "y     31     4  124.00   26.00\n"
         "z     25     5  125.00   27.00\n"
         "\n"
         "total         100.00\n"
         "staked         98.00\n"
         "unspent         2.00\n"
         "worst profit   26.00\n"
         "best profit    28.00\n"
         "book margin   -21.67%\n"},
        {"--explain 2 100 3 4 5",
         "x:y:z=33:37:29\n"
         "\n"
         "   stake  odds  return  profit\n"
         "x     33     3   99.00    0.00\n"
         "y     37     4  148.00   49.00\n"
         "z     29     5  145.00   46.00\n"
         "\n"
         "total         100.00\n"
         "staked         99.00\n"
         "unspent         1.00\n"
         "worst profit    0.00\n"
         "best profit    49.00\n"
         "book margin   -21.67%\n"},
        {"--explain 3 100 3 4 5",
         "x:y:z=45:34:20\n"
         "\n"
         "   stake  odds  return  profit\n"
         "x     45     3  135.00   36.00\n"
         "y     34     4  136.00   37.00\n"
         "z     20     5  100.00    1.00\n"
         "\n"
         "total         100.00\n"
         "staked         99.00\n"
         "unspent         1.00\n"
         "worst profit    1.00\n"
         "best profit    37.00\n"
         "book margin   -21.67%\n"},
        // A notice or a silent press shows only what the window shows.
        {"--explain 1 100 2 2", "赔率不够！(1)\n"},
        {"--explain 1 100 2 '' 3", ""},
    };
    for (const auto& [arguments, out] : examples) {
        EXPECT_EQ(run(arguments).out, out) << arguments;
    }
}

TEST(cli, prints_presses_as_json) {
    EXPECT_EQ(run("--json 2 100 3 4 5").out,
              R"({"kind":"result","line":"x:y:z=33:37:29","total":100.00,"letters":[)"
              R"({"letter":"x","stake":33,"odds":3,"return":99.00,"profit":0.00},)"
              R"({"letter":"y","stake":37,"odds":4,"return":148.00,"profit":49.00},)"
              R"({"letter":"z","stake":29,"odds":5,"return":145.00,"profit":46.00}],)"
              R"("staked":99.00,"unspent":1.00,"worst_profit":0.00,"best_profit":49.00,)"
              R"("book_margin_percent":-21.67})"
              "\n");
    // An odds of 0 makes the margin infinite, which JSON cannot hold.
    EXPECT_EQ(run("--json 1 -100 2 0").out,
              R"({"kind":"result","line":"x:y=0:0","total":-100.00,"letters":[)"
              R"({"letter":"x","stake":0,"odds":2,"return":0.00,"profit":0.00},)"
              R"({"letter":"y","stake":0,"odds":0,"return":0.00,"profit":0.00}],)"
              R"("staked":0.00,"unspent":-100.00,"worst_profit":0.00,"best_profit":0.00,)"
              R"("book_margin_percent":null})"
              "\n");
    const auto batch = run("--batch --json", "1\t100\t2.5\t2.5\n1\t100\t2\t2\n1\t100\t2\t\t3\n7\n");
    EXPECT_EQ(batch.out,
              R"({"kind":"result","line":"x:y=50:50","total":100.00,"letters":[)"
              R"({"letter":"x","stake":50,"odds":2.5,"return":125.00,"profit":25.00},)"
              R"({"letter":"y","stake":50,"odds":2.5,"return":125.00,"profit":25.00}],)"
              R"("staked":100.00,"unspent":0.00,"worst_profit":25.00,"best_profit":25.00,)"
              R"("book_margin_percent":-20.00})"
              "\n"
              R"json({"kind":"notice","notice":"赔率不够！(1)"})json"
              "\n"
              R"({"kind":"silent"})"
              "\n"
              R"({"kind":"error","reason":"the button must be 1, 2 or 3"})"
              "\n");
    EXPECT_EQ(batch.status, 0);
}

}  // namespace
}  // namespace quorvel
