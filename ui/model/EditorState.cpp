#include "ui/model/EditorState.h"

EditorState::EditorState()
    : m_documentBytes(document.Subscribe(
              [this](uint32_t offset, uint32_t length) { BytesChanged(offset, length); })) {}

CTableModule* EditorState::CurrentModule() const {
    if (m_current < 0 || static_cast<size_t>(m_current) >= modules.size()) return nullptr;
    return modules[static_cast<size_t>(m_current)].get();
}

int EditorState::CurrentEntry() const {
    const CTableModule* module = CurrentModule();
    return module != nullptr ? module->m_nCurEntry : -1;
}

bool EditorState::ShowsEntries() const {
    const CTableModule* module = CurrentModule();
    return module != nullptr && document.IsOpen() && m_fits && module->m_nEntryCount > 0 &&
           module->FitsIn(document.Length());
}

bool EditorState::SelectModule(int index, int entry) {
    const bool known = index >= 0 && static_cast<size_t>(index) < modules.size();
    m_current = known ? index : -1;
    CTableModule* module = CurrentModule();
    const bool meets = module != nullptr && document.IsOpen();
    if (meets) {
        m_moduleMetRom = true;
        const int wanted = entry >= 0 && entry < module->m_nEntryCount ? entry : 0;
        // Any entry tells as well as entry 0: the module refuses an image the
        // whole table does not fit in, whichever entry is asked for.
        m_fits = module->SelectEntry(wanted, document.Data(), document.Length());
    }
    // The verdict is known before anyone hears of the module.
    Notify(EditorChange::Kind::Module);
    if (meets && m_fits) Notify(EditorChange::Kind::Entry);
    return !meets || m_fits;
}

bool EditorState::SelectEntry(int entry) {
    CTableModule* module = CurrentModule();
    if (!ShowsEntries() || !module->SelectEntry(entry, document.Data(), document.Length())) return false;
    Notify(EditorChange::Kind::Entry);
    return true;
}

void EditorState::ModulesChanged() {
    if (m_current >= static_cast<int>(modules.size())) m_current = -1;
    Notify(EditorChange::Kind::Modules);
}

FileResult EditorState::OpenRom(const std::string& path, const std::string& name) {
    FileResult opened = document.Open(path, name);
    if (!opened) return opened;
    m_fits = true;
    m_moduleMetRom = false;
    m_wasModified = document.IsModified();
    Notify(EditorChange::Kind::Opened);
    return opened;
}

void EditorState::CloseRom() {
    document.Close();
    m_fits = true;
    m_moduleMetRom = false;
    m_wasModified = false;
    Notify(EditorChange::Kind::Closed);
}

RomDocument::SaveResult EditorState::SaveRom(RomDocument::SaveMode mode) {
    RomDocument::SaveResult saved = document.Save(mode);
    if (saved && saved.Value() == RomDocument::SaveOutcome::Saved) {
        Notify(EditorChange::Kind::Saved);
        NotifyIfModifiedFlipped();
    }
    return saved;
}

bool EditorState::ApplyEntry() {
    CTableModule* module = CurrentModule();
    if (!ShowsEntries() || !document.ApplyEntry(*module)) return false;
    // Each element shows its own buffer again, as stored, even where a
    // later element's bytes won in the image.
    Notify(EditorChange::Kind::Entry);
    return true;
}

RomDocument::Applied EditorState::ApplyValue(int entry, int element, std::span<const uint8_t> value) {
    CTableModule* module = CurrentModule();
    if (!SelectEntry(entry)) return {};
    const RomDocument::Applied applied = document.ApplyValue(*module, entry, element, value);
    // The buffers take what the image now holds.
    if (applied.kind == RomDocument::Applied::Kind::Stored) SelectEntry(entry);
    return applied;
}

bool EditorState::ApplyEntries(const ImportedEntries& entries) {
    CTableModule* module = CurrentModule();
    if (!ShowsEntries()) return false;
    if (!document.ApplyEntries(*module, entries, module->m_nCurEntry)) return false;
    // Edits typed into the form and never applied go, as when another
    // entry is picked, whether or not the import touched this entry.
    SelectEntry(module->m_nCurEntry);
    return true;
}

void EditorState::Undo() {
    ShowStepEntry(document.Undo());
}

void EditorState::Redo() {
    ShowStepEntry(document.Redo());
}

void EditorState::ShowStepEntry(std::optional<int> entry) {
    const CTableModule* module = CurrentModule();
    if (!entry || module == nullptr) return;
    // A step made under another module may name an entry this one lacks.
    SelectEntry(*entry < module->m_nEntryCount ? *entry : module->m_nCurEntry);
}

void EditorState::BytesChanged(uint32_t offset, uint32_t length) {
    Notify(EditorChange::Kind::Bytes, offset, length);
    NotifyIfModifiedFlipped();
}

void EditorState::NotifyIfModifiedFlipped() {
    if (document.IsModified() == m_wasModified) return;
    m_wasModified = document.IsModified();
    Notify(EditorChange::Kind::Modified);
}

void EditorState::Notify(EditorChange::Kind kind, uint32_t offset, uint32_t length) {
    m_observers.Notify(EditorChange{kind, offset, length});
}
