#pragma once

#include <string>

class CTableModule;

// What the editor's form shows for one element of the module's current
// entry, as text: the number, the hex array, the text up to its first NUL,
// or the label of the dropbox item the bytes pick (empty when none).
class ElementDisplay {
public:
    static std::string Show(const CTableModule& module, int element);
};
