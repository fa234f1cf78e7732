#include "platform/store/DesktopAssociation.h"

#include <algorithm>
#include <cstdlib>

#include "platform/files/AtomicFileWriter.h"
#include "platform/files/CFile.h"
#include "platform/store/DesktopExecQuoting.h"
#include "platform/store/Registry.h"
#include "platform/store/ScopedRegKey.h"
#include "platform/store/ToolRunner.h"

namespace {

// Both files carry a marker, so that removal never deletes a file of the same
// name that somebody else put there.
constexpr std::string_view kMimeMarker = "Written by Quillmoor's Associate command";
constexpr std::string_view kDesktopMarker = "X-Quillmoor-Association=true";
constexpr std::string_view kCommandTail = " \"%1\"";

std::optional<std::string> DefaultString(HKEY parent, const char* subKey) {
    ScopedRegKey key;
    if (RegOpenKeyEx(parent, subKey, KEY_READ, key.Receive()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(key.Get(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::string text(size, '\0');
    if (RegQueryValueEx(key.Get(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // A REG_SZ may or may not be stored with its terminating zero.
    text.resize(std::min<std::size_t>(size, text.size()));
    if (auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    return text;
}

// The command is the program's path followed by " "%1""; a command written by
// something else may quote the program instead.
std::string ProgramOfCommand(const std::string& command) {
    if (command.size() > kCommandTail.size() &&
        command.compare(command.size() - kCommandTail.size(), kCommandTail.size(), kCommandTail) == 0) {
        return command.substr(0, command.size() - kCommandTail.size());
    }
    if (!command.empty() && command[0] == '"') {
        auto close = command.find('"', 1);
        if (close != std::string::npos) return command.substr(1, close - 1);
    }
    return command;
}

// A FIFO or a device in a file's place reads as no file, without waiting.
std::optional<std::string> FileText(const std::filesystem::path& path) {
    std::string text;
    if (CFile::ReadWhole(path.string(), text) != 0) return std::nullopt;
    return text;
}

bool Ours(const std::filesystem::path& path, std::string_view marker) {
    auto text = FileText(path);
    return text && text->find(marker) != std::string::npos;
}

// Writes a file unless it already holds exactly this text.
void WriteIfChanged(const std::filesystem::path& path, const std::string& text,
                    std::vector<DesktopFailure>& failures) {
    if (FileText(path) == text) return;
    if (auto failure = AtomicFileWriter::Write(path, text, 0644)) {
        failures.push_back({path.string(), *failure});
    }
}

bool RemoveIfOurs(const std::filesystem::path& path, std::string_view marker,
                  std::vector<DesktopFailure>& failures) {
    if (!Ours(path, marker)) return false;
    if (auto failure = AtomicFileWriter::Remove(path)) {
        failures.push_back({path.string(), *failure});
        return false;
    }
    return true;
}

void RunTool(const std::string& tool, const std::filesystem::path& folder,
             std::vector<DesktopFailure>& failures) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return;
    ToolRunner::Outcome outcome = ToolRunner::Run(tool, {folder.string()});
    if (outcome.found && !outcome.succeeded) failures.push_back({folder.string(), outcome.problem});
}

} // namespace

std::filesystem::path DesktopAssociation::DataHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return data;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "/") / ".local" / "share";
}

std::filesystem::path DesktopAssociation::MimePackagePath() {
    return DataHome() / "mime" / "packages" / "quillmoor-module.xml";
}

// Not named after the program's id like the installed entry: a user's entry of
// the same name replaces the system's, and this one is hidden, so the program
// would drop out of the application menu.
std::filesystem::path DesktopAssociation::DesktopEntryPath() {
    return DataHome() / "applications" / "quillmoor-module.desktop";
}

std::string DesktopAssociation::MimePackageText() {
    std::string text;
    text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    text += "<!-- " + std::string(kMimeMarker) + "; removed with it. -->\n";
    text += "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    text += "  <mime-type type=\"" + std::string(kMimeType) + "\">\n";
    text += "    <comment>Quillmoor Module</comment>\n";
    text += "    <sub-class-of type=\"text/plain\"/>\n";
    text += "    <glob pattern=\"*.qlm\"/>\n";
    text += "  </mime-type>\n";
    text += "</mime-info>\n";
    return text;
}

std::optional<std::string> DesktopAssociation::DesktopEntryText(std::string_view program) {
    auto exec = DesktopExecQuoting::Argument(program);
    if (!exec) return std::nullopt;
    std::string text;
    text += "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=Quillmoor\n";
    text += "Comment=Edit tables in ROM images described by Quillmoor modules\n";
    text += "Exec=" + *exec + " %f\n";
    // The icon the package installs, named like the installed entry.
    text += "Icon=" QUILL_APP_ID "\n";
    text += "Terminal=false\n";
    text += "MimeType=" + std::string(kMimeType) + ";\n";
    text += "NoDisplay=true\n";
    text += std::string(kDesktopMarker) + "\n";
    return text;
}

std::optional<std::string> DesktopAssociation::ProgramFromStore() {
    auto fileType = DefaultString(HKEY_CLASSES_ROOT, ".qlm");
    if (!fileType || fileType->empty() || fileType->find('\\') != std::string::npos) {
        return std::nullopt;
    }
    auto command = DefaultString(HKEY_CLASSES_ROOT, (*fileType + "\\shell\\open\\command").c_str());
    if (!command) return std::nullopt;
    std::string program = ProgramOfCommand(*command);
    if (program.empty()) return std::nullopt;
    return program;
}

std::vector<DesktopFailure> DesktopAssociation::SyncWithStore() {
    auto program = ProgramFromStore();
    return program ? Install(*program) : Uninstall();
}

std::vector<DesktopFailure> DesktopAssociation::Install(const std::string& program) {
    std::vector<DesktopFailure> failures;
    auto entry = DesktopEntryText(program);
    if (!entry) {
        failures.push_back({program, "the program's path is not valid UTF-8 text, so no desktop "
                                     "entry can name it"});
        return failures;
    }
    // GLib refuses to launch an entry whose program path holds a literal %,
    // although the desktop entry rules allow it written as %%; better to say so
    // than to leave an association that silently never opens.
    if (program.find('%') != std::string::npos) {
        failures.push_back({program, "desktops refuse to start a program whose path contains %"});
        return failures;
    }
    WriteIfChanged(MimePackagePath(), MimePackageText(), failures);
    WriteIfChanged(DesktopEntryPath(), *entry, failures);
    // Refreshed even when the files were already right: an earlier refresh may
    // have failed, and the tools take milliseconds.
    if (failures.empty()) Refresh(failures);
    return failures;
}

std::vector<DesktopFailure> DesktopAssociation::Uninstall() {
    std::vector<DesktopFailure> failures;
    bool changed = RemoveIfOurs(MimePackagePath(), kMimeMarker, failures);
    changed = RemoveIfOurs(DesktopEntryPath(), kDesktopMarker, failures) || changed;
    if (changed) Refresh(failures);
    return failures;
}

void DesktopAssociation::Refresh(std::vector<DesktopFailure>& failures) {
    RunTool("update-mime-database", DataHome() / "mime", failures);
    RunTool("update-desktop-database", DataHome() / "applications", failures);
}
