#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "table/Result.h"

class CTableModule;

// Turns a value typed on qlm's command line into an element's bytes, by the
// rule the editor's form applies to that kind of element.
class ElementInput {
public:
    // Exactly the element's size in bytes, or the message the user should see.
    static Result<std::vector<uint8_t>, std::string> Read(const CTableModule& module, int element,
                                                          const std::string& value);

private:
    static std::optional<int> FindDropboxItem(const CTableModule& module, int element,
                                              const std::string& value);
};
