#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CTableModule;

// Turns a value typed on qlm's command line into an element's bytes, by the
// rule the editor's form applies to that kind of element.
class CElementInput {
public:
    // Exactly the element's size in bytes, or nullopt with `problem` set to
    // the message the user should see.
    static std::optional<std::vector<uint8_t>> Read(const CTableModule& module, int element,
                                                    const std::string& value, std::string& problem);

private:
    static std::optional<int> FindDropboxItem(const CTableModule& module, int element,
                                              const std::string& value);
};
