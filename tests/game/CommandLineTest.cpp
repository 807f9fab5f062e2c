// The game's options: what they ask for, and the usage errors that end the program with 2.
#include <sstream>

#include <gtest/gtest.h>

#include "CommandLine.h"

namespace {

struct Parsed {
    int code;
    std::string out, err;
    CommandLine options;
};

Parsed parse(std::vector<const char*> args) {
    args.insert(args.begin(), "murkvault");
    Parsed p;
    std::ostringstream out, err;
    p.code = p.options.parse(static_cast<int>(args.size()), args.data(), out, err);
    p.out = out.str();
    p.err = err.str();
    return p;
}

TEST(CommandLineTest, HelpAndVersionPrintAndEndWithZero) {
    Parsed help = parse({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--replay FILE"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--headless"), std::string::npos);
    Parsed version = parse({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("murkvault ", 0), 0u) << version.out;
}

TEST(CommandLineTest, UsageErrorsEndWithTwoAndTheUsageOnStderr) {
    const std::vector<std::vector<const char*>> cases = {
        {"--seed", "x"},
        {"--seed", "-1"},
        {"--seed", "4294967296"},
        {"--frobnicate"},
        {"--headless"},
        {"--replay", "a", "--record", "b"},
        {"--replay", "a", "--seed", "3"},
        {"--record"},
        {"extra"},
    };
    for (const auto& args : cases) {
        Parsed p = parse(args);
        EXPECT_EQ(p.code, 2) << args[0];
        EXPECT_EQ(p.err.rfind("murkvault: ", 0), 0u) << p.err;
        EXPECT_NE(p.err.find("--replay FILE"), std::string::npos) << "no usage for " << args[0];
        EXPECT_EQ(p.out, "");
    }
}

} // namespace
