#include "CElementDisplay.h"

#include "table/CTableModule.h"
#include "table/ElementCodec.h"

std::string CElementDisplay::Show(const CTableModule& module, int element)
{
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    switch (ElementCodec::KindOf(e.style)) {
    case ElementKind::Dropbox: {
        const int item = ElementCodec::ShowDropbox(e.data, e.values);
        if (item < 0)
            return {};
        return ElementCodec::DropboxItemLabel(e.values[static_cast<size_t>(item)], module.GetValueName(element, item),
                                              e.style);
    }
    case ElementKind::HexArray:
        return ElementCodec::ShowHexArray(e.data);
    case ElementKind::Text:
        return ElementCodec::ShowText(e.data, module.m_charOf);
    default:
        return ElementCodec::ShowNumber(e.data, e.style);
    }
}
