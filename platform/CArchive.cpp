#include "platform/CArchive.h"

#include "platform/CFile.h"

CArchive::CArchive(CFile& file, Mode mode) : m_file(file), m_mode(mode), m_buffer(bufferSize) {}

CArchive::~CArchive() {
    if (!m_bClosed)
        Close();
}

bool CArchive::Refill() {
    if (m_bEof || m_bFailed)
        return false;
    m_nPos = 0;
    m_nFill = m_file.Read(m_buffer.data(), m_buffer.size());
    if (m_file.ReadFailed())
        m_bFailed = true;
    else if (m_nFill < m_buffer.size())
        m_bEof = true;
    // Bytes that arrived before a failure are discarded: the caller must not
    // mistake a failed read for a shorter file.
    if (m_bFailed)
        m_nFill = 0;
    return m_nFill > 0;
}

int CArchive::NextByte() {
    if (m_nPos == m_nFill && !Refill())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_nPos++]);
}

bool CArchive::ReadString(std::string& line) {
    line.clear();
    if (m_mode != load || m_bFailed)
        return false;
    bool any = false;
    while (m_nPos < m_nFill || Refill()) {
        any = true;
        const char* begin = m_buffer.data() + m_nPos;
        const char* end = m_buffer.data() + m_nFill;
        const char* stop = begin;
        while (stop != end && *stop != '\n' && *stop != '\r')
            ++stop;
        line.append(begin, stop);
        m_nPos += static_cast<size_t>(stop - begin);
        if (stop == end)
            continue;
        ++m_nPos;
        if (*stop == '\r')
            NextByte();  // whatever follows a CR belongs to the terminator
        break;
    }
    if (m_bFailed) {
        line.clear();
        return false;
    }
    return any;
}

bool CArchive::Flush() {
    if (m_mode != store || m_nFill == 0)
        return !m_bFailed;
    if (!m_file.Write(m_buffer.data(), m_nFill))
        m_bFailed = true;
    m_nFill = 0;
    return !m_bFailed;
}

bool CArchive::WriteString(std::string_view text) {
    if (m_mode != store || m_bClosed)
        return false;
    while (!text.empty()) {
        size_t room = m_buffer.size() - m_nFill;
        size_t take = text.size() < room ? text.size() : room;
        text.copy(m_buffer.data() + m_nFill, take);
        m_nFill += take;
        text.remove_prefix(take);
        if (m_nFill == m_buffer.size() && !Flush())
            return false;
    }
    return !m_bFailed;
}

bool CArchive::Close() {
    bool ok = m_mode == store ? Flush() : !m_bFailed;
    m_bClosed = true;
    return ok;
}
