#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A file mapped for reading that another program cuts short makes any read
// of its lost pages fault (SIGBUS). Left alone, that ends the process with
// no word of which file it was, and leaves the temporary file of an output
// half made beside the output. So mappings and the temporary files being
// written are noted here; on such a fault the process prints the message
// noted with the mapping, removes the temporaries and exits with status 1.
// The notes live in fixed slots, as a signal handler may touch nothing else.
class MappingFault {
public:
    // Notes a mapping and the message its fault prints; installs the
    // handler the first time. Mappings beyond the slots go unnoted.
    static void NoteMapping(std::span<const uint8_t> bytes, std::string_view message);
    static void ForgetMapping(const void* start);
    // Notes a temporary file to remove on such a fault.
    static void NoteTemporary(const std::string& path);
    static void ForgetTemporary(const std::string& path);
};
