#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/Patch.h"

// What the user asked qlm to do, decided from argv alone: no file is touched
// here, so a usage error is always reported before any work starts.
class CommandLine {
public:
    enum class Command {
        Help,
        Check,
        Dump,
        Set,
        Import,
        Layout,
        Diff,
        PatchCreate,
        PatchApply,
        Invalid
    };

    static CommandLine Parse(const std::vector<std::string>& args);

    Command GetCommand() const { return m_command; }
    // The operands after the command word, in order (MODULE, ROM, ...).
    const std::vector<std::string>& GetOperands() const { return m_operands; }
    // Why the command line was refused; empty unless the command is Invalid.
    const std::string& GetProblem() const { return m_problem; }
    // Whether --form-rules asked set or import to read values as the form does.
    bool FormRules() const { return m_formRules; }
    // Whether --unsafe-in-place lets set or import write where no rollback
    // file can be kept beside the ROM.
    bool UnsafeInPlace() const { return m_unsafeInPlace; }
    // check: list warnings (--warnings, -W); make them fail (--strict, which
    // lists them too).
    bool Warnings() const { return m_warnings || m_strict; }
    bool Strict() const { return m_strict; }
    // diff: also the differing byte ranges outside the table.
    bool Bytes() const { return m_bytes; }
    // patch create: the format --format named, else PATCH's extension's.
    PatchFormat GetPatchFormat() const { return m_patchFormat; }

private:
    CommandLine(Command command, std::vector<std::string> operands, std::string problem);
    // False for a word that is no option of check.
    bool TakeOption(const std::string& word);
    // "patch create|apply" and its operands; --format only with create.
    static CommandLine ParsePatch(const std::vector<std::string>& args);

    Command m_command;
    std::vector<std::string> m_operands;
    std::string m_problem;
    bool m_formRules = false;
    bool m_unsafeInPlace = false;
    bool m_warnings = false;
    bool m_strict = false;
    bool m_bytes = false;
    PatchFormat m_patchFormat = PatchFormat::Bps;
};
