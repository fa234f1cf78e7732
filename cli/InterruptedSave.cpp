#include "InterruptedSave.h"

#include "document/RollbackFile.h"
#include "document/RomDocument.h"
#include "res/StringTable.h"

bool InterruptedSave::UndoBefore(const std::string& romPath, std::ostream& err) {
    const RollbackFile::Undone undone = RollbackFile::RollBackBeside(romPath);
    if (!undone) {
        err << undone.Error() << '\n';
        return false;
    }
    if (undone.Value()) err << InterruptedSaveUndoneText(romPath) << '\n';
    return true;
}

void InterruptedSave::Report(const RomDocument& rom, const std::string& romPath, std::ostream& err) {
    if (rom.UndidInterruptedSave()) err << InterruptedSaveUndoneText(romPath) << '\n';
}
