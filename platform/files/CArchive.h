#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CFile;

// A buffered text stream over an open CFile, reading or writing, never both.
// Lines are raw bytes: no trimming, no code-page conversion, and no longer
// than kLineLimit, so a file without line ends is never read whole.
class CArchive {
public:
    enum Mode {
        load,
        store
    };
    static constexpr size_t bufferSize = 4096;
    // No line of a module, side file or link file needs more.
    static constexpr size_t kLineLimit = 64 * 1024;

    // A larger buffer means fewer system calls on big files.
    CArchive(CFile& file, Mode mode, size_t bufferBytes = bufferSize);
    // A store archive still holding bytes flushes them here, but only Close()
    // tells whether that worked.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // One physical line without its terminator. A line ends at LF, or at CR
    // together with the one character after it (so CR LF counts once). False
    // at the end of input, or after a read error (then Failed() is true); in
    // both cases the string is empty.
    bool ReadString(std::string& line);
    // The same line as a view, without copying it when it lies whole in the
    // buffer. The view holds until the next read from this archive.
    bool ReadString(std::string_view& line);

    // Appends the text as it is; the caller writes its own line ends.
    bool WriteString(std::string_view text);
    bool Flush();
    // Flushes a store archive; false when any write failed.
    bool Close();

    // A read or write error happened, or a line passed kLineLimit; the end
    // of input is not an error.
    bool Failed() const { return m_bFailed; }
    // Reading stopped at a line longer than kLineLimit (Failed() too).
    bool LineTooLong() const { return m_bTooLong; }

private:
    // -1 at the end of input or on a read error.
    int NextByte();
    bool Refill();
    // Index of the first LF or CR at or after m_nPos, or m_nFill for none.
    size_t LineEnd();
    size_t NextOf(char c, size_t& cached);

    CFile& m_file;
    Mode m_mode;
    std::vector<char> m_buffer;
    size_t m_nPos = 0;
    size_t m_nFill = 0;
    // Where the next LF and CR were last seen in this buffer, so that a
    // buffer without one of them is not searched again for every line.
    size_t m_nNextLf = SIZE_MAX;
    size_t m_nNextCr = SIZE_MAX;
    // A line that crosses buffers is put together here.
    std::string m_spill;
    bool m_bEof = false;
    bool m_bFailed = false;
    bool m_bTooLong = false;
    bool m_bClosed = false;
};
