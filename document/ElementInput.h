#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "table/Result.h"

class CTableModule;

// Which reading a typed value gets.
enum class InputRules {
    // Scripts and imports: a value is taken only when it means exactly one
    // thing, so a typo never becomes some other number in the ROM.
    Strict,
    // The editor's form: numbers read as far as they go and keep their low
    // bytes, any character stands between hex array groups.
    Form,
};

// Turns a value typed on qlm's command line, in a table cell or in an
// imported file into an element's bytes.
class ElementInput {
public:
    // Exactly the element's size in bytes, or the message the user should
    // see; by the form's rules.
    static Result<std::vector<uint8_t>, std::string> Read(const CTableModule& module, int element,
                                                          const std::string& value);
    static Result<std::vector<uint8_t>, std::string> Read(const CTableModule& module, int element,
                                                          const std::string& value, InputRules rules);

private:
    static Result<std::vector<uint8_t>, std::string> ReadStrictNumber(const CTableModule& module, int element,
                                                                      const std::string& value);
    static Result<std::vector<uint8_t>, std::string>
    ReadStrictHexArray(const CTableModule& module, int element, const std::string& value);
    static Result<std::vector<uint8_t>, std::string> ReadStrictText(const CTableModule& module, int element,
                                                                    const std::string& value);
    static std::optional<int> FindDropboxItem(const CTableModule& module, int element,
                                              const std::string& value);
};
