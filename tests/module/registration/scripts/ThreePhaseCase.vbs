' A late-bound VBScript client of the registered component: declares a three-phase case, computes it,
' prints every result for the test to compare with the vtable path, then provokes a refusal (a flow
' basis the component does not support) and prints what the script learns about it.
Option Explicit

Dim component, labels, i, values, regime, qualifier, count
Set component = CreateObject("Ondivar.Ondivar_Velt")
labels = Array("gas", "oil", "water")

component.SetGeometryProp "diameter", Array(0.1)
component.SetGeometryProp "inclination", Array(CDbl(1))
component.SetGeometryProp "roughness", Array(0.00001)
component.SetPresentPhases labels, Array("Vapor", "Liquid", "Liquid"), Array("", "Organic", "Aqueous")
Sub SetPhase(label, velocity, density, viscosity, heatCapacity, conductivity)
    component.SetSingleHydroProp "superficialVelocity", label, Array(CDbl(velocity))
    component.SetSinglePhaseProp "density", label, Array(CDbl(density))
    component.SetSinglePhaseProp "viscosity", label, Array(CDbl(viscosity))
    component.SetSinglePhaseProp "heatCapacityCp", label, Array(CDbl(heatCapacity))
    component.SetSinglePhaseProp "ThermalConductivity", label, Array(CDbl(conductivity))
End Sub
SetPhase "gas", 2, 50, 0.000015, 2000, 0.03
SetPhase "oil", 1, 800, 0.002, 2000, 0.13
SetPhase "water", 0.5, 1000, 0.001, 4180, 0.6
component.CalcFlow "Us", "", ""

component.GetNumPhases count
WScript.Echo "phases=" & count
component.GetFlowRegime regime, qualifier
WScript.Echo "regime=" & regime & "|" & qualifier
Dim name
For Each name In Array("pressureDropTotal", "pressureDropFrictional", "pressureDropGravity")
    component.GetMixtureProp name, values
    WScript.Echo name & "=" & values(0)
Next
For Each name In Array("volumeFraction", "absoluteVelocity", "superficialVelocity")
    For i = 0 To 2
        component.GetSingleHydroProp name, labels(i), values
        WScript.Echo name & "." & labels(i) & "=" & values(0)
    Next
Next

On Error Resume Next
component.CalcFlow "Qm", "", ""
WScript.Echo "Err.Number=" & Hex(Err.Number)
WScript.Echo "Err.Description=" & Err.Description
WScript.Echo "Err.Source=" & Err.Source
On Error GoTo 0
WScript.Echo "description=" & component.description
WScript.Echo "interfaceName=" & component.interfaceName
WScript.Echo "operation=" & component.operation
Set component = Nothing
WScript.Echo "client finished"
