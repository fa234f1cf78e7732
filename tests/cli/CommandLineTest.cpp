#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "cli/CCommandLine.h"

using Command = CCommandLine::Command;

TEST(CommandLine, RecognisesEachCommandWithItsOperands) {
    EXPECT_EQ(Command::Check, CCommandLine::Parse({"check", "m.qlm"}).GetCommand());
    EXPECT_EQ(Command::Dump, CCommandLine::Parse({"dump", "m.qlm", "r.rom"}).GetCommand());
    const CCommandLine set = CCommandLine::Parse({"set", "m.qlm", "r.rom", "3", "Name", "a b"});
    EXPECT_EQ(Command::Set, set.GetCommand());
    EXPECT_EQ((std::vector<std::string>{"m.qlm", "r.rom", "3", "Name", "a b"}), set.GetOperands());
    EXPECT_EQ(Command::Help, CCommandLine::Parse({"--help"}).GetCommand());
    EXPECT_EQ(Command::Help, CCommandLine::Parse({"-h", "ignored"}).GetCommand());
}

TEST(CommandLine, RefusesWrongShapesWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
            {},
            {"frobnicate"},
            {"check"},
            {"check", "a", "b"},
            {"dump", "m.qlm"},
            {"set", "m.qlm", "r.rom", "0", "Name"},
            {"CHECK", "m.qlm"},
    };
    for (const auto& args : bad) {
        const CCommandLine line = CCommandLine::Parse(args);
        EXPECT_EQ(Command::Invalid, line.GetCommand()) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(line.GetProblem().empty());
        EXPECT_TRUE(line.GetOperands().empty());
    }
    EXPECT_EQ("'dump' takes 2 arguments, 1 given", CCommandLine::Parse({"dump", "m.qlm"}).GetProblem());
}
