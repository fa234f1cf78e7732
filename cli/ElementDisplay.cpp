#include "ElementDisplay.h"

#include "table/CTableModule.h"
#include "table/ElementCodec.h"

std::string ElementDisplay::Show(const CTableModule& module, int element) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    if (ElementCodec::KindOf(e.style) != ElementKind::Dropbox)
        return ElementCodec::ShowInEdit(e.data, e.style, module.m_charOf);
    const int item = ElementCodec::ShowDropbox(e.data, e.values);
    if (item < 0) return {};
    return ElementCodec::DropboxItemLabel(e.values[static_cast<size_t>(item)],
                                          module.GetValueName(element, item), e.style);
}
