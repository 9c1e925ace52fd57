#include "tools/flow-client/CommandLine.h"

#include "tools/flow-client/Units.h"

namespace ondivar::flow {

std::string helpText()
{
    std::string text = R"(Usage: ondivar-flow [OPTIONS]
       ondivar-flow --batch PROFILE.csv [--out RESULTS.csv] [--svg PLOT.svg] [OPTIONS]
       ondivar-flow --traverse PROFILE.csv --inlet-pressure P --mass-rate LABEL=R ... [OPTIONS]

Computes steady multiphase flow in a pipe segment with the Ondivar CAPE-OPEN hydrodynamics component
(program identifier Ondivar.Ondivar_Velt, which must be registered), driving it through COM as a
simulator does, and prints the flow regime, the pressure gradients and each phase's holdup and velocity.

Without options it computes the built-in case: a vertical pipe of 0.1 m (roughness 4.5e-5 m) carrying
gas (Vapor; 50 kg/m3, 1.5e-5 Pa s, Cp 2000 J/(kg K), k 0.03 W/(m K)) and oil (Liquid, Organic; 800 kg/m3,
0.002 Pa s, 2000 J/(kg K), 0.13 W/(m K)), each at a superficial velocity of 1 m/s.

Pipe:
  --diameter M           inner diameter, m (> 0)
  --inclination SINE     sine of the angle to the horizontal: 0 horizontal, 1 vertically upward, -1 down
  --angle DEG            the same as an angle in degrees (-90..90); give --inclination or --angle
  --roughness M          wall roughness, m (>= 0)
Phases:
  --phase LABEL:STATE[:TYPE]
                         declares a phase (repeat for each); replaces the built-in gas and oil.
                         STATE: Vapor, Liquid, Solid or Unknown; TYPE: Organic or Aqueous for a liquid.
                         A declared phase takes typical properties of its kind (gas, oil or water) and
                         needs --us. LABEL: letters, digits, '_' and '-'. The component holds one
                         phase of each kind: vapour, organic liquid, aqueous liquid.
  --us LABEL=V           superficial velocity, m/s. A negative one means that the phase flows the other
                         way: down a rising pipe (or up a descending one).
  --density LABEL=V      density, kg/m3
  --viscosity LABEL=V    dynamic viscosity, Pa s
  --cp LABEL=V           heat capacity, J/(kg K)
  --k LABEL=V            thermal conductivity, W/(m K)
When there is no solution: the model is a drift-flux model in which the gas moves faster than the
liquids by its bubbles' rise velocity. Flow down a rising pipe has a solution when every phase flows down
fast enough to carry the gas bubbles with it; gas flowing down slower than its bubbles rise, phases
flowing against each other so that a holdup falls outside 0..1, or a zero mixture velocity have none. The
component then refuses the case (ECapeSolvingError) and the client prints its error and exits with 1.
Inputs it cannot mean (an inclination outside -1..1, a diameter or density that is not positive) it
refuses with ECapeOutOfBounds.

Other:
  --flowspec BASIS       flow basis handed to CalcFlow (default Us, the one supported)
  --interactive          leave the component's farewell message box to the user (refused when no
                         display can show it); by default the client acknowledges the box itself and
                         prints "Component: Bye Bye — Hope to see you soon"
  --help                 this text
An option's value may also follow '=': --diameter=0.15, --us=gas=2.
Units: a value may carry its unit after it ("--diameter 6in", "--density oil=49lb/ft3"), and a profile
column in brackets ("length [km]"); without one it is in the first (SI) unit listed:


Batch mode (a pipeline profile, every segment through one component instance):
  --batch PROFILE        the profile to compute (CSV, below)
  --out FILE             results CSV (default: standard output)
  --svg FILE             also draw the pressure, the elevation and the holdups over the flow regime
                         along the line as an SVG plot
  --plot-x AXIS          the plot's horizontal axis: distance (default; km beyond 10 km) or segment
                         (every segment equally wide, so that a short riser is as readable as a long
                         flowline)
  Pipe and phase options give values for every row, in place of the matching column. A phase value
  that neither gives (density, viscosity, cp, k) takes the typical value of the phase's kind, and a
  missing roughness 4.5e-5 m; the client names them once on standard error. A file whose first line
  holds semicolons and no comma is read as semicolon-separated, with decimal commas.

Pressure traverse (the pressure along the line, from the inlet):
  --traverse PROFILE     march the profile from its inlet (a batch profile without LABEL.us and the
                         gas's density, which the traverse computes)
  --inlet-pressure P     pressure at the inlet, Pa
  --mass-rate LABEL=R    a phase's mass rate, kg/s (or --std-rate LABEL=Q, Sm3/s at 101325 Pa and 15
                         degC, through --molar-mass for the gas and --density for a liquid)
  --molar-mass LABEL=M   the gas's molar mass, kg/mol (or a column LABEL.molar-mass)
  --z LABEL=Z            the gas's compressibility factor (default 1; or a column LABEL.z)
  --temperature T        the line's temperature, K (or a column temperature, per segment)
  Each segment is isothermal; the gas is ideal with Z, rho = p M / (Z R T); liquids are incompressible.
  The client computes each segment at its mean pressure, iterating (one CalcFlow per iteration) until
  two successive mean pressures differ by less than 1e-9 of its inlet pressure, and reports each
  segment's outlet pressure and the arrival pressure. A pressure that would fall to zero or below, a bad
  row or a refused segment stops the march there.

Profile CSV: '#' starts a comment line; blank lines are skipped; fields may be "quoted".
  phases,gas:Vapor,oil:Liquid:Organic          phase declarations (or --phase options instead)
  name,length,diameter,angle,roughness,gas.us,gas.density,gas.viscosity,gas.cp,gas.k,oil.us,...
  riser-1,120,0.15,90,4.5e-5,2.1,60,1.4e-5,2100,0.03,0.8,820,0.003,2000,0.13
  Columns in any order: length (m, required), diameter, inclination or angle, roughness, and per phase
  LABEL.us, LABEL.density, LABEL.viscosity, LABEL.cp, LABEL.k (also LABEL.superficialVelocity,
  LABEL.heatCapacityCp, LABEL.ThermalConductivity); an optional name column. A name may carry its unit in
  brackets, "length [km]", one of the units listed above. Rows run from the inlet downstream.

Results CSV, one row per profile row:
  line,name,status,length[m],distance[m],diameter[m],inclination[-],regime,qualifier,dpdz_total[Pa/m],
  dpdz_frictional[Pa/m],dpdz_gravity[Pa/m],dp_segment[Pa],dp_cumulative[Pa],dp_cumulative_complete,
  and per phase LABEL.holdup[-],LABEL.us[m/s],LABEL.velocity[m/s]
  line is the segment's line in the profile; status is "ok", "refused: ERROR: why" (the component
  refused the segment) or "bad row: why"; dp_segment = dpdz_total x length; dp_cumulative is the
  pressure change from the inlet to the segment's end (negative: the pressure falls). A traverse adds
  temperature[K],pressure_in[Pa],pressure_out[Pa],pressure_out[bar],iterations and per phase
  LABEL.density[kg/m3]; a segment where it stopped has the status "stopped: why".
A bad row or a refused segment is reported on standard error with its line number, and the run goes on
with the next row. Its row keeps its place and distance, with empty result cells; the cumulative pressure
change leaves it out, and dp_cumulative_complete says "no" from that row on. The plot marks such
segments as bands and draws the pressure change after them dashed. Progress is shown on standard error
for long runs: on a terminal one line updated in place, otherwise a line every few seconds.

Exit status: 0 success; 1 the component or COM failed; 2 bad options or an unusable profile (also an
empty one or one without rows); 3 a batch run in which some rows failed, or a traverse that stopped.
)";
    const std::pair<const char*, Dimension> units[] = {
        {"lengths", Dimension::Length},           {"pressures", Dimension::Pressure},
        {"temperatures", Dimension::Temperature}, {"velocities", Dimension::Velocity},
        {"densities", Dimension::Density},        {"viscosities", Dimension::Viscosity},
        {"mass rates", Dimension::MassRate},      {"standard volume rates", Dimension::StandardVolumeRate},
        {"molar masses", Dimension::MolarMass}};
    std::string list;
    for (const auto& [what, dimension] : units)
        list += "  " + std::string(what) + ": " + acceptedUnits(dimension) + "\n";
    const std::size_t at = text.find("Units: ");
    return text.insert(text.find("\n\n", at) + 1, list);
}

} // namespace ondivar::flow
