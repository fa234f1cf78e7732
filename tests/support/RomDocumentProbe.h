#pragma once

#include <cstddef>

#include "document/RomDocument.h"

// The undo journal's size, which no user sees but whose bound tests check.
// The document names it a friend; nothing in the program uses it.
class RomDocumentProbe {
public:
    explicit RomDocumentProbe(const RomDocument& document) : m_document(document) {}

    std::size_t JournalSteps() const { return m_document.m_steps.size(); }
    std::size_t JournalBytes() const { return m_document.m_journalBytes; }

private:
    const RomDocument& m_document;
};
