// Deep copies of type descriptions whose user-defined references are translated into another library's
// reference handles. The copy owns the nested descriptions it makes; they live as long as it does.
#pragma once

#include <oleauto.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace ondivar::typelib {

class TypeDescCopy {
public:
    using Translate = std::function<HREFTYPE(HREFTYPE)>;

    TYPEDESC copy(const TYPEDESC& source, const Translate& translate)
    {
        TYPEDESC result = source;
        switch (source.vt) {
        case VT_PTR:
        case VT_SAFEARRAY:
            result.lptdesc = &m_nested.emplace_back(copy(*source.lptdesc, translate));
            break;
        case VT_CARRAY: {
            const USHORT dims = source.lpadesc->cDims;
            auto& block = m_arrays.emplace_back(
                std::make_unique<unsigned char[]>(sizeof(ARRAYDESC) + dims * sizeof(SAFEARRAYBOUND)));
            auto* array = reinterpret_cast<ARRAYDESC*>(block.get());
            array->tdescElem = copy(source.lpadesc->tdescElem, translate);
            array->cDims = dims;
            for (USHORT d = 0; d < dims; ++d)
                array->rgbounds[d] = source.lpadesc->rgbounds[d];
            result.lpadesc = array;
            break;
        }
        case VT_USERDEFINED:
            result.hreftype = translate(source.hreftype);
            break;
        default:
            break;
        }
        return result;
    }

private:
    std::deque<TYPEDESC> m_nested; // a deque keeps the addresses handed out stable
    std::vector<std::unique_ptr<unsigned char[]>> m_arrays;
};

} // namespace ondivar::typelib
