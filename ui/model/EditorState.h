#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/ModuleList.h"
#include "document/Observers.h"
#include "document/RecoveryJournal.h"
#include "document/RomDocument.h"
#include "table/CTableModule.h"

// What changed in the editor's state. Every window follows the state
// through these and none calls another to stay in step.
struct EditorChange {
    enum class Kind {
        // Modules were added, removed or reloaded: the list, not the choice.
        Modules,
        // Another module (or none) is current; its entry is not chosen yet.
        Module,
        // The current entry was selected: its bytes are in the module's
        // element buffers (the same entry again counts).
        Entry,
        // Bytes of the image changed: [offset, offset + length).
        Bytes,
        Opened,
        Closed,
        Saved,
        // The image started or stopped differing from the file.
        Modified,
        // An original to compare with was set or let go.
        Original,
        // Something the user must read (TakeNotice): a step refused because
        // the recovery journal could not keep it, or recovery turned off.
        Notice,
    };
    Kind kind;
    uint32_t offset = 0;
    uint32_t length = 0;
};

// What the editor holds besides its windows: the open ROM document, the
// loaded modules, which of them is current and which entry. It is the one
// place that changes the selection, and it announces every change.
class EditorState {
public:
    using Observer = std::function<void(const EditorChange&)>;

    EditorState();
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

    RomDocument document;
    // In load order; the module selector mirrors it item for item. After
    // changing it, ModulesChanged (with no module current while it changes).
    ModuleList::Modules modules;

    [[nodiscard]] Subscription Subscribe(Observer observer) {
        return m_observers.Subscribe(std::move(observer));
    }
    // Called before the image's bytes change or the image goes, through
    // this state: whoever reads them on another thread stops first.
    [[nodiscard]] Subscription BeforeImageChanges(std::function<void()> observer) {
        return m_imageChanging.Subscribe(std::move(observer));
    }

    int CurrentModuleIndex() const { return m_current; }
    CTableModule* CurrentModule() const;
    // -1 without a module or before its first entry was selected.
    int CurrentEntry() const;
    // Whether the current module fits the open image, as its last selection
    // with this image found; true while no module met it.
    bool Fits() const { return m_fits; }
    // A ROM is open, a module current and its entries can be read from the
    // image: the one test of whether entries can be shown.
    bool ShowsEntries() const;
    // A module has been current while this ROM was open (Save Rom and Link
    // Rom To Modules wait for that).
    bool ModuleMetRom() const { return m_moduleMetRom; }

    // Makes the module current (-1: none) and, with a ROM open, selects the
    // entry (0 when it has no such entry) to test whether the module fits.
    // False when it does not fit; the caller tells the user.
    bool SelectModule(int index, int entry = 0);
    // Copies the entry's bytes into the module's element buffers and makes
    // it current. False, with nothing changed, when it cannot be shown.
    bool SelectEntry(int entry);
    void ModulesChanged();

    FileResult OpenRom(const std::string& path, const std::string& name);
    // Drops the image; the edits in it were saved or the user let them go,
    // so its recovery journal goes too.
    void CloseRom();
    RomDocument::SaveResult SaveRom(RomDocument::SaveMode mode,
                                    RomDocument::InPlace inPlace = RomDocument::InPlace::Safe);

    // The form's Apply: every element buffer into the current entry, in
    // element order; the buffers stay as they were, and are shown again.
    bool ApplyEntry();
    // One element's value into an entry, which becomes current first and is
    // read back from the image once the value is stored.
    RomDocument::Applied ApplyValue(int entry, int element, std::span<const uint8_t> value);
    // Many entries as one step; the current entry is read back.
    bool ApplyEntries(const ImportedEntries& entries);
    // Takes a step back or forward; the entry it touched becomes current
    // (the current one stays when this module has no such entry).
    void Undo();
    void Redo();

    // Journals every step of the ROMs opened from now on (the editor; qlm
    // and the model's tests leave it off).
    void EnableRecovery();
    // What the journal of the ROM just opened holds, until it is restored
    // or set aside.
    const RecoveryJournal::Pending& PendingRecovery() const { return m_recovery.Found(); }
    // The pending steps, applied again as steps of their own.
    void RestoreRecovery();
    // Moves the pending journal aside, never applied.
    void SetAsideRecovery();
    // The exit drops the open image's edits: its journal goes.
    void DropRecovery();
    const RecoveryJournal& Recovery() const { return m_recovery; }
    RecoveryJournal& Recovery() { return m_recovery; }
    // The text of the last Notice, once.
    std::string TakeNotice() { return std::exchange(m_notice, {}); }

    // The ROM as the game shipped it, which every window compares with
    // while one is set; Close Rom lets it go.
    void SetOriginal(std::vector<uint8_t> image, std::string path);
    void ClearOriginal();
    bool HasOriginal() const { return !m_originalPath.empty(); }
    const std::string& OriginalPath() const { return m_originalPath; }
    const std::vector<uint8_t>& Original() const { return m_original; }
    // Whether the element's shown text in the entry differs from the
    // original's (an original too short to hold it differs); false without
    // an original or a shown table.
    bool ElementDiffers(int entry, int element) const;
    // Whether the image's byte differs from the original's (a byte past
    // the original's end differs).
    bool ByteDiffers(uint32_t offset) const;
    // Whether the image differs from the original anywhere (lengths too);
    // worked out when either changes, so asking is cheap.
    bool DiffersFromOriginal() const { return m_differsFromOriginal; }

private:
    void Notify(EditorChange::Kind kind, uint32_t offset = 0, uint32_t length = 0);
    void BytesChanged(uint32_t offset, uint32_t length);
    void ShowStepEntry(std::optional<int> entry);
    void NotifyIfModifiedFlipped();
    void CompareWithOriginal();
    // After each step: a refusal or a recovery notice to tell, and an empty
    // journal once the image equals the file again.
    void AfterStep();
    void PostNotice(std::string text);

    // The document points at it while recovery is on, and never calls it
    // while either is destroyed.
    RecoveryJournal m_recovery;
    bool m_recoveryOn = false;
    std::string m_notice;
    Observers<const EditorChange&> m_observers;
    Observers<> m_imageChanging;
    Subscription m_documentBytes;
    int m_current = -1;
    bool m_fits = true;
    bool m_moduleMetRom = false;
    bool m_wasModified = false;
    std::vector<uint8_t> m_original;
    std::string m_originalPath;
    bool m_differsFromOriginal = false;
};
