#pragma once

#include <ostream>
#include <string>

class RomDocument;

// Every qlm command that touches a ROM first puts back the old bytes of a
// save of it that was cut short (RollbackFile), and says so on standard
// error; its own output stays as it would be.
class InterruptedSave {
public:
    // False, with the reason written to err, when a leftover rollback file
    // could not be applied: the ROM may be partly changed, so nothing reads it.
    static bool UndoBefore(const std::string& romPath, std::ostream& err);
    // The notice, when OpenLocked undid one.
    static void Report(const RomDocument& rom, const std::string& romPath, std::ostream& err);
};
