#pragma once

#include <string>
#include <string_view>
#include <vector>

// One step of writing or removing the association that did not work: the
// registry key concerned and the store's reason.
struct AssociationFailure {
    std::string path;
    std::string reason;
};

// The .qlm file type in the registry store: the "Quillmoor Module" type with
// its open command, and the ".qlm" key that names it. Only the store is
// touched here; making the desktop follow it is DesktopAssociation's job.
class ShellAssociation {
public:
    static constexpr std::string_view kFileType = "Quillmoor Module";
    static constexpr std::string_view kExtension = ".qlm";

    // Whether ".qlm" opens with full access: the rule the Associate check
    // mark follows, at start and after every command.
    static bool IsRegistered();

    // Creates or opens every key and writes every value, stopping at the
    // first failure so that ".qlm" never names a half-written type. Empty
    // when the whole association is in the store.
    static std::vector<AssociationFailure> Register(std::string_view program);

    // Deletes "command", "open", "shell", the type and ".qlm", in that order.
    // A key that is already gone is no failure; a key that has subkeys of its
    // own stays, and that is reported like any other refusal.
    static std::vector<AssociationFailure> Unregister();

private:
    // The program's path as given (unquoted), a blank and "%1" in quotes.
    static std::string CommandFor(std::string_view program);
};
