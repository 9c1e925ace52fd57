// A late-bound JScript client of the registered component. JScript passes every argument by value and
// cannot receive [out] arguments, so no flow result, phase count or regime reaches it; nor can it make
// the SAFEARRAYs the flow inputs are (Wine's Scripting.Dictionary has no Items). It reads and writes the
// identification, calls a method without [out] arguments, catches the refusal of a flow basis the
// component does not support, and reads the component's own description of it.
var component = new ActiveXObject("Ondivar.Ondivar_Velt");
WScript.Echo("ComponentName=" + component.ComponentName);
component.ComponentDescription = "Three-phase riser";
WScript.Echo("ComponentDescription=" + component.ComponentDescription);
component.ClearAllProps();
try {
    component.CalcFlow("Qm", "", "");
    WScript.Echo("not refused");
} catch (e) {
    WScript.Echo("number=" + (e.number >>> 0).toString(16));
    WScript.Echo("message=" + e.message);
}
WScript.Echo("description=" + component.description);
WScript.Echo("interfaceName=" + component.interfaceName);
WScript.Echo("operation=" + component.operation);
try {
    component.GetMixtureProp("pressureDropTotal");
} catch (e) {
    WScript.Echo("without its [out] argument=" + (e.number >>> 0).toString(16));
}
component = null;
CollectGarbage();
WScript.Echo("client finished");
