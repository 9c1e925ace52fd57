// COndivar_Velt: the CAPE-OPEN hydrodynamics server. It is fed with the pipe geometry, the present
// phases and their properties, runs the model, and answers the results; every failure is recorded in
// its CCapeError part and read by the client through the CAPE-OPEN error interfaces.
#pragma once

#include "component/CapeError.h"
#include "com/ComObjectRoot.h"
#include "com/ObjectDispatch.h"
#include "component/PhaseDeclaration.h"
#include "component/PropertyTable.h"
#include "hydro/Phases.h"
#include "hydro/SimpleHydro.h"
#include "com/ModuleLock.h"
#include "support/Arrays.h"

#include "OndivarLib.h"

#include <cstdint>
#include <string>

namespace ondivar {

template <class Interface> using OndivarDispatch = DispatchImpl<Interface, TypeLibraryId::Ondivar>;

class COndivar_Velt final
    : private ModuleLock,
      public CCapeError,
      public ComObjectRoot<COndivar_Velt>,
      public SupportErrorInfoImpl,
      public ObjectDispatchImpl<ICapeIdentification, TypeLibraryId::CapeOpen, COndivar_Velt>,
      public OndivarDispatch<ICapeHydroFlowRoutine>,
      public OndivarDispatch<ICapeHydroPropertyRoutine>,
      public OndivarDispatch<ICapeHydroFields>,
      public OndivarDispatch<ICapeHydroFlow>,
      public IPersistStream,
      public OndivarDispatch<ICapeHydroPhases> {
public:
    static const CLSID& classId() noexcept { return CLSID_Ondivar_Velt; }

    // The class factory's creation: stand-alone (outer null) or aggregated (then riid must be
    // IUnknown).
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object) noexcept
    {
        return create(outer, riid, object);
    }

    // The interfaces whose members a dispatch client reaches by name through the identification
    // interface (the object's IDispatch), in the order that settles a name two of them share.
    static DispatchTable dispatchTable() noexcept;

    // IUnknown of every interface: passed to the outer object when aggregated.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        return delegatingQueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return delegatingAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return delegatingRelease(); }

    // ICapeIdentification
    HRESULT STDMETHODCALLTYPE get_ComponentName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE put_ComponentName(BSTR name) override;
    HRESULT STDMETHODCALLTYPE get_ComponentDescription(BSTR* description) override;
    HRESULT STDMETHODCALLTYPE put_ComponentDescription(BSTR description) override;

    // ICapeHydroPhases
    HRESULT STDMETHODCALLTYPE GetNumPhases(LONG* num) override;
    HRESULT STDMETHODCALLTYPE GetPhaseInfo(LONG numPhase, BSTR* stateOfAggregation, BSTR* typeInfo) override;

    // ICapeHydroFlowRoutine
    HRESULT STDMETHODCALLTYPE CalcFlow(BSTR specification1, BSTR specification2, BSTR flowregime) override;
    HRESULT STDMETHODCALLTYPE CheckCalcFlowSpec(BSTR specification1, BSTR specification2, BSTR flowregime,
                                                VARIANT_BOOL* isSupported) override;
    HRESULT STDMETHODCALLTYPE GetFinalState(VARIANT* propvals) override;
    HRESULT STDMETHODCALLTYPE SetInitState(VARIANT propvals) override;

    // ICapeHydroPropertyRoutine
    HRESULT STDMETHODCALLTYPE CalcSingleHydroProp(VARIANT props, BSTR phaseLabel) override;
    HRESULT STDMETHODCALLTYPE CalcTwoHydroProp(VARIANT props, VARIANT phaseLabels) override;
    HRESULT STDMETHODCALLTYPE CheckMixtureHydroPropList(BSTR specification1, BSTR specification2,
                                                        VARIANT* props) override;
    HRESULT STDMETHODCALLTYPE CheckSingleHydroPropList(BSTR specification1, BSTR specification2,
                                                       VARIANT* props) override;
    HRESULT STDMETHODCALLTYPE CheckTwoHydroPropList(BSTR specification1, BSTR specification2,
                                                    VARIANT* props) override;
    HRESULT STDMETHODCALLTYPE GetGeometryPropList(BSTR specification1, BSTR specification2,
                                                  VARIANT* props) override;
    HRESULT STDMETHODCALLTYPE GetSingleHydroPropList(BSTR specification1, BSTR specification2,
                                                     VARIANT* props) override;
    HRESULT STDMETHODCALLTYPE GetSinglePhasePropList(BSTR specification1, BSTR specification2,
                                                     VARIANT* props) override;
    HRESULT STDMETHODCALLTYPE GetTwoPhasePropList(BSTR specification1, BSTR specification2,
                                                  VARIANT* props) override;

    // ICapeHydroFields
    HRESULT STDMETHODCALLTYPE GetFieldInfo(BSTR layerLabel, BSTR fieldLabel, BSTR fieldAttribute,
                                           BSTR* value) override;
    HRESULT STDMETHODCALLTYPE GetLayerInfo(BSTR layerLabel, BSTR fieldAttribute, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE GetPresentFields(BSTR layerLabel, VARIANT* fieldLabels) override;
    HRESULT STDMETHODCALLTYPE GetPresentLayers(VARIANT* layerLabels) override;
    HRESULT STDMETHODCALLTYPE GetPresentPhases(BSTR layerLabel, BSTR fieldLabel,
                                               VARIANT* phaseLabels) override;
    HRESULT STDMETHODCALLTYPE GetSingleFieldProp(BSTR pty, BSTR layerLabel, BSTR fieldLabel,
                                                 double* result) override;
    HRESULT STDMETHODCALLTYPE GetSingleLayerProp(BSTR pty, BSTR layerLabel, double* result) override;
    HRESULT STDMETHODCALLTYPE GetSinglePhaseProp(BSTR pty, BSTR layerLabel, BSTR fieldLabel, BSTR phaseLabel,
                                                 double* result) override;
    HRESULT STDMETHODCALLTYPE GetTwoLayerProp(BSTR pty, VARIANT layerLabels, double* result) override;

    // ICapeHydroFlow
    HRESULT STDMETHODCALLTYPE ClearAllProps() override;
    HRESULT STDMETHODCALLTYPE CreateHPM(IDispatch** hpm) override;
    HRESULT STDMETHODCALLTYPE CopyFromHPM(IDispatch* hpmSource) override;
    HRESULT STDMETHODCALLTYPE GetFlowRegime(BSTR* regime, BSTR* qualifier) override;
    HRESULT STDMETHODCALLTYPE GetMixtureProp(BSTR pty, VARIANT* values) override;
    HRESULT STDMETHODCALLTYPE GetSingleHydroProp(BSTR pty, BSTR phaseLabel, VARIANT* values) override;
    HRESULT STDMETHODCALLTYPE GetTwoHydroProp(BSTR pty, VARIANT phaseLabel, VARIANT* values) override;
    HRESULT STDMETHODCALLTYPE SetGeometryProp(BSTR pty, VARIANT values) override;
    HRESULT STDMETHODCALLTYPE SetMixtureProp(BSTR pty, VARIANT values) override;
    HRESULT STDMETHODCALLTYPE SetOverallProp(BSTR pty, VARIANT* values) override;
    HRESULT STDMETHODCALLTYPE SetPresentPhases(VARIANT phaseLabel, VARIANT stateOfAggregation,
                                               VARIANT typeInfo) override;
    HRESULT STDMETHODCALLTYPE SetSingleHydroProp(BSTR pty, BSTR phaseLabel, VARIANT values) override;
    HRESULT STDMETHODCALLTYPE SetSinglePhaseProp(BSTR pty, BSTR phaseLabel, VARIANT values) override;
    HRESULT STDMETHODCALLTYPE SetTwoHydroProp(BSTR pty, VARIANT phaseLabel, VARIANT values) override;
    HRESULT STDMETHODCALLTYPE SetTwoPhaseProp(BSTR pty, VARIANT phaseLabel, VARIANT values) override;

    // IPersistStream
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

private:
    friend class ComObjectRoot<COndivar_Velt>;

    COndivar_Velt();
    ~COndivar_Velt();

    // The interface table, searched in this order; IUnknown is answered by the first entry.
    HRESULT findInterface(REFIID riid, void** object) noexcept;
    IUnknown* identity() noexcept { return static_cast<ICapeIdentification*>(this); }

    // The input member a geometry or per-phase input of the property table stands for.
    double& geometryInput(PropertySlot slot) noexcept;
    CDoubleArray& phaseInput(PropertySlot slot) noexcept;

    // Members, in the order they are built (destroyed in reverse).
    // The models: live exactly as long as the component. CalcFlow sets up and computes the candidate; on
    // success the two trade places (the pointers, not the contents), so the results are m_model's.
    CSimpleHydro m_models[2];
    CSimpleHydro* m_model = &m_models[0];
    CSimpleHydro* m_candidateModel = &m_models[1];
    std::wstring m_componentName;
    std::wstring m_componentDescription;
    bool m_calculated = false;
    // Geometry: undefined (NaN) until set.
    double m_diameter;
    double m_inclination;
    double m_roughness;
    // Number of labels the last SetPresentPhases declared; 0 before any.
    std::int32_t m_phaseCount = 0;
    // Present phases: label to kind, in label order.
    CPhaseMap m_phases;
    // Inputs per phase kind, 3 slots indexed by EPhases.
    CDoubleArray m_superficialVelocity;
    CDoubleArray m_density;
    CDoubleArray m_viscosity;
    CDoubleArray m_heatCapacity;
    CDoubleArray m_thermalConductivity;
    // Property of each pair of kinds [kind][kind]; nothing writes it, the model receives zeros.
    CDoubleMatrix m_twoPhaseProps;
    // The values array of the setter in progress, kept so that its storage serves the next call.
    CDoubleArray m_givenValues;
    // The kinds of m_phases in label order, as CalcFlow hands them to the model; kept for its storage.
    CIntArray m_phaseKindList;
    // State vector of SetInitState / GetFinalState.
    CDoubleArray m_state;
    // The object last given to CopyFromHPM: kept without a reference and never used.
    IDispatch* m_hpmSource = nullptr;
};

} // namespace ondivar
