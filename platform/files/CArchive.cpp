#include "platform/files/CArchive.h"

#include <cstring>

#include "platform/files/CFile.h"

CArchive::CArchive(CFile& file, Mode mode, size_t bufferBytes)
    : m_file(file), m_mode(mode), m_buffer(bufferBytes > 0 ? bufferBytes : bufferSize) {}

CArchive::~CArchive() {
    if (!m_bClosed) Close();
}

bool CArchive::Refill() {
    if (m_bEof || m_bFailed) return false;
    m_nPos = 0;
    m_nNextLf = SIZE_MAX;
    m_nNextCr = SIZE_MAX;
    m_nFill = m_file.Read(m_buffer.data(), m_buffer.size());
    if (m_file.ReadFailed())
        m_bFailed = true;
    else if (m_nFill < m_buffer.size())
        m_bEof = true;
    // Bytes that arrived before a failure are discarded: the caller must not
    // mistake a failed read for a shorter file.
    if (m_bFailed) m_nFill = 0;
    return m_nFill > 0;
}

int CArchive::NextByte() {
    if (m_nPos == m_nFill && !Refill()) return -1;
    return static_cast<unsigned char>(m_buffer[m_nPos++]);
}

size_t CArchive::NextOf(char c, size_t& cached) {
    if (cached < m_nPos || cached > m_nFill) {
        const void* found = std::memchr(m_buffer.data() + m_nPos, c, m_nFill - m_nPos);
        cached = found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - m_buffer.data())
                                  : m_nFill;
    }
    return cached;
}

size_t CArchive::LineEnd() {
    const size_t lf = NextOf('\n', m_nNextLf);
    const size_t cr = NextOf('\r', m_nNextCr);
    return lf < cr ? lf : cr;
}

bool CArchive::ReadString(std::string& line) {
    std::string_view view;
    const bool any = ReadString(view);
    line.assign(view);
    return any;
}

bool CArchive::ReadString(std::string_view& line) {
    line = {};
    if (m_mode != load || m_bFailed) return false;
    m_spill.clear();
    bool any = false;
    bool spilled = false;
    while (m_nPos < m_nFill || Refill()) {
        any = true;
        const size_t stop = LineEnd();
        const char* begin = m_buffer.data() + m_nPos;
        const size_t length = stop - m_nPos;
        m_nPos = stop;
        if (m_spill.size() + length > kLineLimit) {
            m_bTooLong = m_bFailed = true;
            break;
        }
        if (stop == m_nFill) {
            m_spill.append(begin, length);
            spilled = true;
            continue;
        }
        const bool cr = m_buffer[stop] == '\r';
        ++m_nPos;
        // The byte after a CR may be the first of the next buffer, and
        // fetching it overwrites this one.
        if (spilled || (cr && m_nPos == m_nFill)) {
            m_spill.append(begin, length);
            spilled = true;
        } else {
            line = std::string_view(begin, length);
        }
        if (cr) NextByte(); // whatever follows a CR belongs to the terminator
        break;
    }
    if (m_bFailed) {
        line = {};
        return false;
    }
    if (spilled) line = m_spill;
    return any;
}

bool CArchive::Flush() {
    if (m_mode != store || m_nFill == 0) return !m_bFailed;
    if (!m_file.Write(m_buffer.data(), m_nFill)) m_bFailed = true;
    m_nFill = 0;
    return !m_bFailed;
}

bool CArchive::WriteString(std::string_view text) {
    if (m_mode != store || m_bClosed) return false;
    while (!text.empty()) {
        size_t room = m_buffer.size() - m_nFill;
        size_t take = text.size() < room ? text.size() : room;
        text.copy(m_buffer.data() + m_nFill, take);
        m_nFill += take;
        text.remove_prefix(take);
        if (m_nFill == m_buffer.size() && !Flush()) return false;
    }
    return !m_bFailed;
}

bool CArchive::Close() {
    bool ok = m_mode == store ? Flush() : !m_bFailed;
    m_bClosed = true;
    return ok;
}
