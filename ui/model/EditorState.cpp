#include "ui/model/EditorState.h"

#include <algorithm>

#include "document/ElementDisplay.h"

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
    m_imageChanging.Notify();
    FileResult opened = document.Open(path, name);
    if (!opened) return opened;
    m_fits = true;
    m_moduleMetRom = false;
    m_wasModified = document.IsModified();
    if (m_recoveryOn && document.FileIdentity())
        m_recovery.Attach(document.Path(), *document.FileIdentity(), {document.Data(), document.Length()});
    Notify(EditorChange::Kind::Opened);
    // Told at the open rather than at the first step: the user learns that
    // this window keeps no journal before relying on one.
    if (std::optional<std::string> off = m_recovery.TakeNotice()) PostNotice(std::move(*off));
    return opened;
}

void EditorState::CloseRom() {
    DropRecovery();
    ClearOriginal();
    m_imageChanging.Notify();
    document.Close();
    m_fits = true;
    m_moduleMetRom = false;
    m_wasModified = false;
    Notify(EditorChange::Kind::Closed);
}

RomDocument::SaveResult EditorState::SaveRom(RomDocument::SaveMode mode, RomDocument::InPlace inPlace) {
    RomDocument::SaveResult saved = document.Save(mode, inPlace);
    if (saved && saved.Value() == RomDocument::SaveOutcome::Saved) {
        if (m_recovery.IsAttached() && document.FileIdentity()) m_recovery.Rebase(*document.FileIdentity());
        Notify(EditorChange::Kind::Saved);
        NotifyIfModifiedFlipped();
    }
    return saved;
}

bool EditorState::ApplyEntry() {
    CTableModule* module = CurrentModule();
    if (!ShowsEntries()) return false;
    m_imageChanging.Notify();
    const bool applied = document.ApplyEntry(*module);
    AfterStep();
    if (!applied) return false;
    // Each element shows its own buffer again, as stored, even where a
    // later element's bytes won in the image.
    Notify(EditorChange::Kind::Entry);
    return true;
}

RomDocument::Applied EditorState::ApplyValue(int entry, int element, std::span<const uint8_t> value) {
    CTableModule* module = CurrentModule();
    if (!SelectEntry(entry)) return {};
    m_imageChanging.Notify();
    const RomDocument::Applied applied = document.ApplyValue(*module, entry, element, value);
    AfterStep();
    // The buffers take what the image now holds.
    if (applied.kind == RomDocument::Applied::Kind::Stored) SelectEntry(entry);
    return applied;
}

bool EditorState::ApplyEntries(const ImportedEntries& entries) {
    CTableModule* module = CurrentModule();
    if (!ShowsEntries()) return false;
    m_imageChanging.Notify();
    const bool applied = document.ApplyEntries(*module, entries, module->m_nCurEntry);
    AfterStep();
    if (!applied) return false;
    // Edits typed into the form and never applied go, as when another
    // entry is picked, whether or not the import touched this entry.
    SelectEntry(module->m_nCurEntry);
    return true;
}

void EditorState::Undo() {
    m_imageChanging.Notify();
    const std::optional<int> entry = document.Undo();
    AfterStep();
    ShowStepEntry(entry);
}

void EditorState::Redo() {
    m_imageChanging.Notify();
    const std::optional<int> entry = document.Redo();
    AfterStep();
    ShowStepEntry(entry);
}

void EditorState::EnableRecovery() {
    m_recoveryOn = true;
    document.SetRecovery(&m_recovery);
}

void EditorState::RestoreRecovery() {
    m_imageChanging.Notify();
    document.Replay(m_recovery.Continue());
}

void EditorState::SetAsideRecovery() {
    m_recovery.SetAside();
}

void EditorState::DropRecovery() {
    if (!m_recovery.IsAttached()) return;
    m_recovery.Remove();
    m_recovery.Detach();
}

void EditorState::AfterStep() {
    if (std::optional<std::string> refusal = document.TakeRefusal()) PostNotice(std::move(*refusal));
    if (std::optional<std::string> off = m_recovery.TakeNotice()) PostNotice(std::move(*off));
    if (m_recovery.IsAttached() && document.IsOpen() && !document.IsModified()) m_recovery.Remove();
}

void EditorState::PostNotice(std::string text) {
    m_notice = std::move(text);
    Notify(EditorChange::Kind::Notice);
}

void EditorState::ShowStepEntry(std::optional<int> entry) {
    const CTableModule* module = CurrentModule();
    if (!entry || module == nullptr) return;
    // A step made under another module may name an entry this one lacks.
    SelectEntry(*entry < module->m_nEntryCount ? *entry : module->m_nCurEntry);
}

void EditorState::SetOriginal(std::vector<uint8_t> image, std::string path) {
    m_original = std::move(image);
    m_originalPath = std::move(path);
    CompareWithOriginal();
    Notify(EditorChange::Kind::Original);
}

void EditorState::ClearOriginal() {
    if (!HasOriginal()) return;
    m_original = {};
    m_originalPath.clear();
    CompareWithOriginal();
    Notify(EditorChange::Kind::Original);
}

bool EditorState::ElementDiffers(int entry, int element) const {
    const CTableModule* module = CurrentModule();
    if (!HasOriginal() || !ShowsEntries() || entry < 0 || entry >= module->m_nEntryCount || element < 0 ||
        element >= module->m_nElements)
        return false;
    const uint64_t at =
            module->m_nBaseOffset + uint64_t{module->m_nEntryLength} * static_cast<uint64_t>(entry);
    if (at + module->m_nEntryLength > m_original.size()) return true;
    const std::span<const uint8_t> now(document.Data() + at, module->m_nEntryLength);
    const std::span<const uint8_t> then(m_original.data() + at, module->m_nEntryLength);
    const ModuleElement& e = *module->m_elements[static_cast<size_t>(element)];
    // Equal bytes show equal texts: the text is worked out only when they differ.
    if (std::equal(now.begin() + e.offset, now.begin() + e.offset + e.size, then.begin() + e.offset))
        return false;
    return ElementDisplay::Show(*module, element, now) != ElementDisplay::Show(*module, element, then);
}

bool EditorState::ByteDiffers(uint32_t offset) const {
    if (!HasOriginal() || !document.IsOpen() || offset >= document.Length()) return false;
    return offset >= m_original.size() || m_original[offset] != document.Data()[offset];
}

void EditorState::CompareWithOriginal() {
    m_differsFromOriginal = HasOriginal() && document.IsOpen() &&
                            !std::equal(m_original.begin(), m_original.end(), document.Data(),
                                        document.Data() + document.Length());
}

void EditorState::BytesChanged(uint32_t offset, uint32_t length) {
    CompareWithOriginal();
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
