#include "component/Ondivar_Velt.h"

#include <iterator>
#include <limits>

namespace ondivar {
namespace {

constexpr std::size_t kPhaseKinds = kPhaseKindCount;

// One row of the interface table: the IID and how the object gives that interface.
struct InterfaceEntry {
    const IID* iid;
    void* (*get)(COndivar_Velt* object);
};

template <class Interface> void* as(COndivar_Velt* object)
{
    return static_cast<Interface*>(object);
}

template <class Interface> IUnknown* member(void* object)
{
    return static_cast<Interface*>(static_cast<COndivar_Velt*>(object));
}

constexpr TypeLibraryId kCapeOpen = TypeLibraryId::CapeOpen;
constexpr TypeLibraryId kOndivar = TypeLibraryId::Ondivar;

// Identification first (its dispatch ids stay its own), then the interfaces in the order of the
// interface table, then the error interfaces that table does not hand out. IPersistStream is no
// Automation interface.
const DispatchInterface kDispatchInterfaces[] = {
    {kCapeOpen, &IID_ICapeIdentification, member<ICapeIdentification>},
    {kOndivar, &IID_ICapeHydroPhases, member<ICapeHydroPhases>},
    {kOndivar, &IID_ICapeHydroFlowRoutine, member<ICapeHydroFlowRoutine>},
    {kOndivar, &IID_ICapeHydroPropertyRoutine, member<ICapeHydroPropertyRoutine>},
    {kOndivar, &IID_ICapeHydroFields, member<ICapeHydroFields>},
    {kOndivar, &IID_ICapeHydroFlow, member<ICapeHydroFlow>},
    {kCapeOpen, &IID_ECapeUser, member<ECapeUser>},
    {kCapeOpen, &IID_ECapeData, member<ECapeData>},
    {kCapeOpen, &IID_ECapeRoot, member<ECapeRoot>},
    {kCapeOpen, &IID_ECapeUnknown, member<ECapeUnknown>},
    {kCapeOpen, &IID_ECapeInvalidArgument, member<ECapeInvalidArgument>},
    {kCapeOpen, &IID_ECapeBadArgument, member<ECapeBadArgument>},
    {kCapeOpen, &IID_ECapeOutOfBounds, member<ECapeOutOfBounds>},
    {kCapeOpen, &IID_ECapeBoundaries, member<ECapeBoundaries>},
    {kCapeOpen, &IID_ECapeFailedInitialisation, member<ECapeFailedInitialisation>},
    {kCapeOpen, &IID_ECapeComputation, member<ECapeComputation>},
    {kCapeOpen, &IID_ECapeBadCOParameter, member<ECapeBadCOParameter>},
    {kCapeOpen, &IID_ECapeBadInvOrder, member<ECapeBadInvOrder>},
};

} // namespace

COndivar_Velt::COndivar_Velt()
    : m_diameter(std::numeric_limits<double>::quiet_NaN()),
      m_inclination(std::numeric_limits<double>::quiet_NaN()),
      m_roughness(std::numeric_limits<double>::quiet_NaN()), m_superficialVelocity(kPhaseKinds, 0.0),
      m_density(kPhaseKinds, 0.0), m_viscosity(kPhaseKinds, 0.0), m_heatCapacity(kPhaseKinds, 0.0),
      m_thermalConductivity(kPhaseKinds, 0.0), m_twoPhaseProps(kPhaseKinds, kPhaseKinds, 0.0)
{
    m_componentName = L"Ondivar";
    m_componentDescription = L"Server for HPM Simple Hydro calculations";
}

COndivar_Velt::~COndivar_Velt()
{
    m_componentName.clear();
    m_componentDescription.clear();
    MessageBoxW(nullptr, L"Hope to see you soon", L"Bye Bye", MB_OK | MB_ICONINFORMATION);
}

DispatchTable COndivar_Velt::dispatchTable() noexcept
{
    return {kDispatchInterfaces, std::size(kDispatchInterfaces)};
}

HRESULT COndivar_Velt::findInterface(REFIID riid, void** object) noexcept
{
    // ECapeComputation, ECapeBadCOParameter and ECapeBadInvOrder are implemented but not handed out.
    static const InterfaceEntry table[] = {
        {&IID_ICapeIdentification, as<ICapeIdentification>},
        {&IID_ICapeHydroPhases, as<ICapeHydroPhases>},
        {&IID_ICapeHydroFlowRoutine, as<ICapeHydroFlowRoutine>},
        {&IID_ICapeHydroPropertyRoutine, as<ICapeHydroPropertyRoutine>},
        {&IID_ICapeHydroFields, as<ICapeHydroFields>},
        {&IID_ICapeHydroFlow, as<ICapeHydroFlow>},
        {&IID_IPersistStream, as<IPersistStream>},
        {&IID_ECapeUser, as<ECapeUser>},
        {&IID_ECapeData, as<ECapeData>},
        {&IID_ECapeRoot, as<ECapeRoot>},
        {&IID_ECapeUnknown, as<ECapeUnknown>},
        {&IID_ECapeInvalidArgument, as<ECapeInvalidArgument>},
        {&IID_ECapeBadArgument, as<ECapeBadArgument>},
        {&IID_ECapeOutOfBounds, as<ECapeOutOfBounds>},
        {&IID_ECapeBoundaries, as<ECapeBoundaries>},
        {&IID_ECapeFailedInitialisation, as<ECapeFailedInitialisation>},
        {&IID_ISupportErrorInfo, as<ISupportErrorInfo>},
        // Dispatch clients reach the identification interface.
        {&IID_IDispatch, as<ICapeIdentification>},
    };
    for (const InterfaceEntry& entry : table) {
        if (IsEqualIID(riid, *entry.iid)) {
            *object = entry.get(this);
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

} // namespace ondivar
