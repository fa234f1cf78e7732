#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "table/EntryLabels.h"
#include "table/LoadError.h"
#include "table/LoadFailure.h"
#include "table/ModuleElement.h"
#include "table/ModuleSource.h"

class CFile;

// One loaded module: where a table sits in a ROM image, its entry labels,
// character tables and elements, and the bytes of the current entry. The
// form reads the fields directly; only the loader writes the description.
class CTableModule {
public:
    // Largest entry count or dropbox value count a module may give. A bare
    // label costs its text and one offset (at most 15 bytes), so even the
    // largest table stays near 16 MiB of bare labels.
    static constexpr uint32_t maxCount = 0x100000;
    // What one module may ask of the form: a row per element and a combo
    // item per list value. Far beyond any real table, far below what would
    // take the editor minutes and gigabytes to build.
    static constexpr size_t maxElements = 4096;
    static constexpr size_t maxListValues = size_t{4} << 20;

    CTableModule();
    ~CTableModule() = default;
    CTableModule(const CTableModule&) = delete;
    CTableModule& operator=(const CTableModule&) = delete;

    // Fills this freshly constructed module from a module file open for
    // reading at its start; the first check that fails decides the error.
    // The caller closes the file and destroys the module after a failure.
    // Defined by quill_module, beside the readers it drives.
    LoadError Load(CFile& file);
    // The side-file readers. After an error in the side file itself, `at`
    // is the place of its failing line; it is left alone otherwise, so that
    // it still names the module line that named the file.
    // NameList, or Read.
    LoadError LoadEntryNames(const std::string& fileName, SourceLine& at);
    // CharTable for a malformed line, or Read; a table that does not open
    // is no error.
    LoadError LoadCharTable(const std::string& fileName, SourceLine& at);
    // DropboxOpen, DropboxEmpty, DropboxFormat, CountRange or Read; fills
    // the element's value list and `source` with where its values are.
    LoadError LoadValueList(ModuleElement& element, const std::string& fileName, SourceLine& at,
                            ElementSource& source);

    // Appends the element; its value list moves into the module.
    void AddElement(ModuleElement element);

    // Copies entry `entry` of the image into the element buffers. False, and
    // nothing changed, when the whole table does not fit in the image or the
    // entry does not exist.
    bool SelectEntry(int entry, const uint8_t* rom, uint32_t romLength);
    // Writes every element buffer into the image at the current entry, in
    // element order, so where elements overlap the later one wins. Only for
    // an image on which SelectEntry succeeded.
    void StoreEntry(uint8_t* rom) const;
    // The same, refusing (false, nothing written) an image the table does not
    // fit in or buffers that were never filled.
    bool StoreEntry(uint8_t* rom, uint32_t romLength) const;

    // Both copy the element's `size` bytes and return `size`; 0 for an index
    // that names no element (and, for Get, a buffer never filled).
    int GetElementData(int element, uint8_t* dest) const;
    int SetElementData(int element, const uint8_t* src);

    // Copies; empty for indices out of range.
    std::string GetElementName(int element) const;
    std::string GetValueName(int element, int value) const;
    std::string GetPath() const { return m_strPath; }
    // Where each part of the module was written; complete after a load that
    // succeeded.
    const ModuleSource& Source() const { return m_source; }

    // Whether the table (base + count x length, computed without wrap-around)
    // lies inside an image of this length.
    bool FitsIn(uint32_t romLength) const;

    std::string m_strName;
    uint32_t m_nBaseOffset = 0;
    uint32_t m_nEntryLength = 0;
    // -1 after the entry names file failed to open (no labels were made).
    int32_t m_nEntryCount = 0;
    std::array<uint8_t, 256> m_charOf{};
    std::array<uint8_t, 256> m_codeOf{};
    // Empty until the entry names are read; then m_nEntryCount labels.
    EntryLabels m_entryNames;
    int32_t m_nCurEntry = 0;
    int32_t m_nElements = 0;
    std::vector<std::unique_ptr<ModuleElement>> m_elements;
    // Ends with '/'.
    std::string m_strDir;
    std::string m_strPath;

private:
    friend class ModuleLoader;

    const ModuleElement* Element(int element) const;

    ModuleSource m_source;
};
