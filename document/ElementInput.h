#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "table/Result.h"

class CTableModule;
struct ModuleElement;

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

    // The same into `out` (exactly the element's size), for a caller that
    // reads a million cells and keeps no vector of each.
    static Result<void, std::string> ReadInto(const CTableModule& module, int element, std::string_view value,
                                              InputRules rules, std::span<uint8_t> out);

private:
    using Written = Result<void, std::string>;
    static Written ReadStrictNumber(const ModuleElement& e, std::string_view value, std::span<uint8_t> out);
    static Written ReadStrictHexArray(const ModuleElement& e, std::string_view value, std::span<uint8_t> out);
    static Written ReadStrictText(const CTableModule& module, const ModuleElement& e, std::string_view value,
                                  std::span<uint8_t> out);
    static std::optional<int> FindDropboxItem(const CTableModule& module, int element,
                                              const std::string& value);
};
