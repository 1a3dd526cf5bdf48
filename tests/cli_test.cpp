// Runs the built quorvel-cli as a user would and checks what it prints and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "rule_cases.h"

namespace quorvel {
namespace {

struct run_result {
    std::string out;
    int status;
};

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

run_result run(const std::string& arguments, const std::string& input = {}) {
    // A cross-built program runs under its emulator.
    std::string command = std::string(QUORVEL_CLI_EMULATOR) + " " + quoted(QUORVEL_CLI_PATH) + " " +
                          arguments + " 2>/dev/null";
    if (!input.empty()) {
        const std::string input_path = ::testing::TempDir() + "cli_test_input.txt";
        std::ofstream(input_path, std::ios::binary) << input;
        command += " < " + quoted(input_path);
    }
    FILE* pipe = popen(command.c_str(), "r");
    run_result result{{}, -1};
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
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

TEST(cli, refuses_bad_usage) {
    for (const char* arguments : {"", "4 100 2 2", "x", "1 1 2 3 4 5 6", "--batch 1",
                                  "1 \"$(printf '\\377')\" 2 3", "--gbk"}) {
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

}  // namespace
}  // namespace quorvel
