#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

class CTableModule;

// The module's whole table as CSV: a header row ("Entry" and each element's
// name), then one row per entry, its label and each element as the form
// shows it, RFC 4180 quoting, CR LF after every row. qlm dump and the
// editor's Export Table both write it, so their files are the same bytes.
class TableExport {
public:
    // Receives the text in large blocks; false stops the export.
    using Sink = std::function<bool(std::string_view block)>;

    // `table` holds the bytes of the whole table, entry 0 first. False when
    // the sink refused a block.
    static bool Write(const CTableModule& module, std::span<const uint8_t> table, const Sink& sink);
};
