#include "ui/RomDiskWatch.h"

#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "ui/EditorControls.h"
#include "ui/EditorView.h"
#include "ui/RomDocumentCommands.h"
#include "ui/model/EditorState.h"

namespace {

// Changes applied and not saved, or typed into the form and not applied.
bool HoldsUnsavedWork(EditorState& state, EditorView& view) {
    const CTableModule* module = state.CurrentModule();
    return state.document.IsModified() || (module != nullptr && view.HoldsEdits(*module));
}

} // namespace

bool RomDiskWatch::Check(EditorState& state, EditorView& view) {
    const RomDocument& document = state.document;
    // An image that never came from a file has nothing on the disk to follow.
    if (!document.IsOpen() || document.Path().empty() || !document.FileIdentity()) return false;
    const std::optional<CFile::Identity> now = CFile::IdentityOf(document.Path());
    EditorControls controls(view);
    // A folder or a device where the file was is no ROM to read either.
    if (!now || !now->regular) {
        if (m_toldGone) return false;
        m_toldGone = true;
        controls.Message(VanishedRomText(document.Path()), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_toldGone = false;
    if (*now == *document.FileIdentity() || (m_told && *now == *m_told)) return false;
    m_told = now;
    // No keeps the editor's image; Save Rom still asks before it overwrites.
    if (HoldsUnsavedWork(state, view) &&
        controls.Message(RebuiltRomQuestionText(document.Name()), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    return RomDocumentCommands(state, view).ReloadRom();
}

void RomDiskWatch::Forget() {
    m_told.reset();
    m_toldGone = false;
}
