#include "ModuleWriter.h"

#include "TempDir.h"

ModuleWriter::Lines ModuleWriter::Header(std::string count, std::string length, std::string names,
                                         std::string chars, std::string title) {
    return {"1",
            std::move(title),
            "0x10",
            std::move(count),
            std::move(length),
            std::move(names),
            std::move(chars)};
}

ModuleWriter::Lines ModuleWriter::Element(std::string offset, std::string size, std::string style,
                                          std::string list) {
    return {"Field", std::move(offset), std::move(size), std::move(style), std::move(list)};
}

ModuleWriter::Lines ModuleWriter::Loadable(std::string title) {
    return Lines{"1", std::move(title), "0", "2", "4", "NULL", "none.tbl"} +
           Element("0", "1", "----", "none");
}

std::string ModuleWriter::Text(const Lines& lines, std::string_view eol) {
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append(eol);
    return text;
}

std::string ModuleWriter::Write(std::string_view name, const Lines& lines, const SideFiles& sideFiles,
                                std::string_view eol) const {
    const std::string module(name);
    const size_t slash = module.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : module.substr(0, slash + 1);
    for (const auto& [sideName, bytes] : sideFiles)
        m_dir.Write(folder + sideName, bytes);
    return m_dir.Write(module, Text(lines, eol));
}

ModuleWriter::Lines operator+(ModuleWriter::Lines a, const ModuleWriter::Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
