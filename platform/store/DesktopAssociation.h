#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Something that went wrong while the desktop was brought in line with the
// store: the file or tool concerned and the system's reason.
struct DesktopFailure {
    std::string path;
    std::string reason;
};

// Makes the .qlm association in the registry store real on a freedesktop
// desktop: a shared-mime-info package declaring the file type and a hidden
// desktop entry that opens it with Quillmoor, both in the user's XDG data
// folder, and the two databases refreshed. Removing the association deletes
// exactly those two files again.
class DesktopAssociation {
public:
    static constexpr std::string_view kMimeType = "application/x-quillmoor-module";

    // Writes or removes the files so that they match what the store holds;
    // the Associate command calls this after changing the store. An empty
    // result means the desktop now agrees with the store.
    static std::vector<DesktopFailure> SyncWithStore();

private:
    // The program the store associates .qlm files with: set only when ".qlm"
    // names a file type that has a shell\open\command.
    static std::optional<std::string> ProgramFromStore();

    static std::filesystem::path DataHome();
    static std::filesystem::path MimePackagePath();
    static std::filesystem::path DesktopEntryPath();

    static std::string MimePackageText();
    // nullopt when the program's path cannot be written in a desktop entry.
    static std::optional<std::string> DesktopEntryText(std::string_view program);

    static std::vector<DesktopFailure> Install(const std::string& program);
    static std::vector<DesktopFailure> Uninstall();
    static void Refresh(std::vector<DesktopFailure>& failures);
};
