#include "cli/CommandLine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using Command = CommandLine::Command;

TEST(CommandLine, RecognisesEachCommandWithItsOperands) {
    EXPECT_EQ(Command::Check, CommandLine::Parse({"check", "m.qlm"}).GetCommand());
    EXPECT_EQ(Command::Dump, CommandLine::Parse({"dump", "m.qlm", "r.rom"}).GetCommand());
    const CommandLine set = CommandLine::Parse({"set", "m.qlm", "r.rom", "3", "Name", "a b"});
    EXPECT_EQ(Command::Set, set.GetCommand());
    EXPECT_EQ((std::vector<std::string>{"m.qlm", "r.rom", "3", "Name", "a b"}), set.GetOperands());
    EXPECT_EQ(Command::Help, CommandLine::Parse({"--help"}).GetCommand());
    EXPECT_EQ(Command::Help, CommandLine::Parse({"-h", "ignored"}).GetCommand());
    EXPECT_FALSE(set.FormRules());
}

TEST(CommandLine, FormRulesIsAnOptionOfSetAndImportAnywhereAfterTheCommand) {
    const CommandLine import = CommandLine::Parse({"import", "m.qlm", "--form-rules", "r.rom", "t.csv"});
    EXPECT_EQ(Command::Import, import.GetCommand());
    EXPECT_TRUE(import.FormRules());
    EXPECT_EQ((std::vector<std::string>{"m.qlm", "r.rom", "t.csv"}), import.GetOperands());
    EXPECT_TRUE(CommandLine::Parse({"set", "m", "r", "0", "E", "-5", "--form-rules"}).FormRules());
    // Elsewhere it is an operand like any other, so dump counts it.
    EXPECT_EQ(Command::Invalid, CommandLine::Parse({"dump", "--form-rules", "m.qlm", "r.rom"}).GetCommand());
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
            {"import", "m.qlm", "r.rom"},
            {"import", "m.qlm", "r.rom", "--form-rules"},
    };
    for (const auto& args : bad) {
        const CommandLine line = CommandLine::Parse(args);
        EXPECT_EQ(Command::Invalid, line.GetCommand()) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(line.GetProblem().empty());
        EXPECT_TRUE(line.GetOperands().empty());
    }
    EXPECT_EQ("'dump' takes 2 arguments, 1 given", CommandLine::Parse({"dump", "m.qlm"}).GetProblem());
}

TEST(CommandLine, OnlyCheckTakesOptionsAndSetsNegativeValuesStayOperands) {
    const CommandLine plain = CommandLine::Parse({"check", "m.qlm"});
    EXPECT_FALSE(plain.Warnings());
    EXPECT_FALSE(plain.Strict());
    const CommandLine warned = CommandLine::Parse({"check", "m.qlm", "-W"});
    EXPECT_EQ(Command::Check, warned.GetCommand());
    EXPECT_EQ(std::vector<std::string>{"m.qlm"}, warned.GetOperands());
    EXPECT_TRUE(warned.Warnings());
    EXPECT_FALSE(warned.Strict());
    const CommandLine strict = CommandLine::Parse({"check", "--strict", "m.qlm"});
    EXPECT_TRUE(strict.Warnings()) << "strict lists the warnings it fails on";
    EXPECT_TRUE(strict.Strict());
    EXPECT_EQ("unknown option '-w'", CommandLine::Parse({"check", "-w", "m.qlm"}).GetProblem());

    const CommandLine set = CommandLine::Parse({"set", "m.qlm", "r.rom", "0", "Temper", "-W"});
    EXPECT_EQ(Command::Set, set.GetCommand());
    EXPECT_EQ("-W", set.GetOperands().back());
    EXPECT_EQ(Command::Layout, CommandLine::Parse({"layout", "m.qlm"}).GetCommand());
    EXPECT_EQ(Command::Invalid, CommandLine::Parse({"layout", "-W", "m.qlm"}).GetCommand());
}
