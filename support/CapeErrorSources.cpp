// Reading another CAPE-OPEN component's description of its last error through its ECape interfaces.
// Every interface obtained from the source is released before the constructor returns; the source's own
// reference count is left as it was. A missing interface or a failing getter leaves a warning in the
// description and a defined value in the field, never a failure.
#include "support/CapeErrors.h"

#include "CapeOpen110.h"

namespace TarvoException {
namespace {

// The interface iid of source, or null when source is null or does not answer it.
template <class T> ondivar::ComPtr<T> queryErrorInterface(IDispatch* source, REFIID iid)
{
    ondivar::ComPtr<T> result;
    if (source != nullptr && FAILED(source->QueryInterface(iid, result.putVoid())))
        result.detach(); // a failed QueryInterface hands out no reference
    return result;
}

// A BSTR property that must be read to be trusted: the getter succeeded and gave a string.
bool readText(HRESULT getterResult, const ondivar::UniqueBstr& s, std::wstring& field)
{
    if (SUCCEEDED(getterResult) && s.get() != nullptr) {
        field = s.text();
        return true;
    }
    field.clear();
    return false;
}

} // namespace

CCapeUser::CCapeUser(IDispatch* source) : m_code(0)
{
    {
        auto root = queryErrorInterface<ECapeRoot>(source, IID_ECapeRoot);
        m_description.clear();
        if (!root) {
            m_name = L"CAPE-OPEN interface not implemented.";
            m_description =
                L"WARNING: Cannot access ECapeRoot error interface from a third CAPE_OPEN component.\n";
        } else {
            ondivar::UniqueBstr name;
            root->get_name(name.put());
            m_name = name.text();
        }
    }

    auto user = queryErrorInterface<ECapeUser>(source, IID_ECapeUser);
    if (!user) {
        m_description +=
            L"WARNING: Cannot access ECapeUser error interface from a third CAPE_OPEN component.\n";
        return;
    }
    // A getter that succeeds without writing leaves the code at 0, as a failing one does.
    LONG code = 0;
    if (FAILED(user->get_code(&code)))
        code = 0;
    m_code = code;

    ondivar::UniqueBstr s;
    user->get_description(s.put());
    m_description = s.text();
    user->get_scope(s.put());
    m_scope = s.text();
    user->get_interfaceName(s.put());
    m_interfaceName = s.text();
    user->get_operation(s.put());
    m_operation = s.text();
    user->get_moreInfo(s.put());
    m_moreInfo = s.text();
}

CCapeBoundaries::CCapeBoundaries(IDispatch* source)
{
    auto boundaries = queryErrorInterface<ECapeBoundaries>(source, IID_ECapeBoundaries);
    if (!boundaries)
        return;
    boundaries->get_LowerBound(&m_lowerBound);
    boundaries->get_UpperBound(&m_upperBound);
    boundaries->get_value(&m_value);
    ondivar::UniqueBstr type;
    readText(boundaries->get_Type(type.put()), type, m_type);
}

CCapeBadArgument::CCapeBadArgument(IDispatch* source) : CCapeData(source), m_position(-1)
{
    auto badArgument = queryErrorInterface<ECapeBadArgument>(source, IID_ECapeBadArgument);
    if (!badArgument) {
        m_description += L"WARNING: Cannot access ECapeBadArgument error interface from a third CAPE_OPEN "
                         L"component: attributes are undefined.\n";
        return;
    }
    // A getter that succeeds without writing leaves -1, the answer for an unknown position.
    short position = -1;
    if (FAILED(badArgument->get_position(&position))) {
        m_description += L"WARNING: get_position method on ECapeBadArgument has failed. Position attribute "
                         L"is undefined.\n";
        position = -1;
    }
    m_position = position;
}

CCapeBadCOParameter::CCapeBadCOParameter(IDispatch* source) : CCapeData(source)
{
    auto badParameter = queryErrorInterface<ECapeBadCOParameter>(source, IID_ECapeBadCOParameter);
    if (!badParameter) {
        m_description += L"WARNING: Cannot access ECapeBadCOParameter error interface from a third CAPE_OPEN "
                         L"component: attributes are undefined.\n";
        return;
    }
    // The getter's reference becomes the object's own.
    if (FAILED(badParameter->get_parameter(m_parameter.put())) || !m_parameter) {
        m_description += L"WARNING: Failed while getting parameter: value is undefined.\n";
        m_parameter.detach(); // a failed getter hands out no reference
    }
    ondivar::UniqueBstr name;
    if (!readText(badParameter->get_parameterName(name.put()), name, m_parameterName))
        m_description += L"WARNING: Failed while getting parameterName: value is undefined.\n";
}

CCapeBadInvOrder::CCapeBadInvOrder(IDispatch* source) : CCapeComputation(source)
{
    auto badInvOrder = queryErrorInterface<ECapeBadInvOrder>(source, IID_ECapeBadInvOrder);
    if (!badInvOrder) {
        m_description += L"WARNING: Cannot access ECapeBadInvOrder error interface from a third CAPE_OPEN "
                         L"component: attributes are undefined.\n";
        return;
    }
    ondivar::UniqueBstr operation;
    if (!readText(badInvOrder->get_requestedOperation(operation.put()), operation, m_requestedOperation))
        m_description += L"WARNING: Failed while getting requestedOperation: value is undefined.\n";
}

CCapePersistenceNotFound::CCapePersistenceNotFound(IDispatch* source) : CCapePersistence(source)
{
    auto notFound = queryErrorInterface<ECapePersistenceNotFound>(source, IID_ECapePersistenceNotFound);
    if (!notFound) {
        m_description += L"WARNING: Cannot access ECapePersistenceNotFound error interface from a third "
                         L"CAPE_OPEN component: itemName is undefined.\n";
        return;
    }
    ondivar::UniqueBstr item;
    if (!readText(notFound->get_itemName(item.put()), item, m_itemName))
        m_description += L"WARNING: Failed while getting itemName: value is undefined.\n";
}

} // namespace TarvoException
