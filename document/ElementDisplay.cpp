#include "document/ElementDisplay.h"

#include "table/CTableModule.h"
#include "table/ElementCodec.h"

namespace {

std::string ShowBytes(const CTableModule& module, int element, std::span<const uint8_t> bytes) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    if (ElementCodec::KindOf(e.style) != ElementKind::Dropbox)
        return ElementCodec::ShowInEdit(bytes, e.style, module.m_charOf);
    const int item = ElementCodec::ShowDropbox(bytes, e.values);
    if (item < 0) return {};
    return ElementCodec::DropboxItemLabel(e.values[static_cast<size_t>(item)],
                                          module.GetValueName(element, item), e.style);
}

} // namespace

std::string ElementDisplay::Show(const CTableModule& module, int element) {
    return ShowBytes(module, element, module.m_elements[static_cast<size_t>(element)]->data);
}

std::string ElementDisplay::Show(const CTableModule& module, int element, std::span<const uint8_t> entry) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    // The loader keeps every element inside the entry; a span cut short
    // shows nothing rather than a value made of fewer bytes.
    if (e.offset > entry.size() || e.size > entry.size() - e.offset) return {};
    return ShowBytes(module, element, entry.subspan(e.offset, e.size));
}
