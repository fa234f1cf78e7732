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
    // --unsafe-in-place goes with the same two commands, and only when given.
    const CommandLine unsafe = CommandLine::Parse({"set", "--unsafe-in-place", "m", "r", "0", "E", "-5"});
    EXPECT_TRUE(unsafe.UnsafeInPlace());
    EXPECT_EQ(5u, unsafe.GetOperands().size());
    EXPECT_FALSE(import.UnsafeInPlace());
    EXPECT_EQ(Command::Invalid,
              CommandLine::Parse({"dump", "--unsafe-in-place", "m.qlm", "r.rom"}).GetCommand());
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

TEST(CommandLine, PatchTakesItsActionItsFormatAndThreeFiles) {
    struct Case {
        std::vector<std::string> args;
        Command command;
        PatchFormat format;
        std::string problem;
    };
    const Case cases[] = {
            {{"patch", "create", "a", "b", "p.BPS"}, Command::PatchCreate, PatchFormat::Bps, ""},
            {{"patch", "create", "a", "b", "p.ips"}, Command::PatchCreate, PatchFormat::Ips, ""},
            {{"patch", "create", "--format", "ips", "a", "b", "p.bps"},
             Command::PatchCreate,
             PatchFormat::Ips,
             ""},
            {{"patch", "create", "a", "b", "p", "--format=bps"}, Command::PatchCreate, PatchFormat::Bps, ""},
            {{"patch", "apply", "p.ips", "a", "out"}, Command::PatchApply, PatchFormat::Bps, ""},
            {{"patch", "create", "a", "b", "p"},
             Command::Invalid,
             PatchFormat::Bps,
             "cannot tell the patch format from 'p': name it .ips or .bps, or give --format ips or --format "
             "bps"},
            {{"patch", "create", "--format", "IPS", "a", "b", "p"},
             Command::Invalid,
             PatchFormat::Bps,
             "--format takes ips or bps, not 'IPS'"},
            {{"patch", "create", "a", "b", "p.ips", "--format"},
             Command::Invalid,
             PatchFormat::Bps,
             "--format takes ips or bps, not ''"},
            {{"patch", "apply", "--format", "ips", "p", "a", "out"},
             Command::Invalid,
             PatchFormat::Bps,
             "unknown option '--format'"},
            {{"patch", "apply", "p", "a"},
             Command::Invalid,
             PatchFormat::Bps,
             "'patch apply' takes 3 arguments, 2 given"},
            {{"patch"}, Command::Invalid, PatchFormat::Bps, "'patch' takes create or apply, not ''"},
            {{"patch", "make", "a", "b", "p.ips"},
             Command::Invalid,
             PatchFormat::Bps,
             "'patch' takes create or apply, not 'make'"},
    };
    for (const Case& c : cases) {
        const CommandLine line = CommandLine::Parse(c.args);
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(c.command, line.GetCommand());
        EXPECT_EQ(c.problem, line.GetProblem());
        if (c.command == Command::PatchCreate) {
            EXPECT_EQ(c.format, line.GetPatchFormat());
        }
        if (c.command != Command::Invalid) {
            EXPECT_EQ(3u, line.GetOperands().size());
        }
    }
}
