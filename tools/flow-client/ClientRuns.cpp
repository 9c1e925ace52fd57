#include "tools/flow-client/ClientRuns.h"

#include "tools/flow-client/BatchRun.h"
#include "tools/common/ComApartment.h"
#include "tools/flow-client/DisplayCheck.h"
#include "tools/flow-client/FarewellWatcher.h"
#include "tools/flow-client/FlowComponent.h"
#include "tools/flow-client/ResultTable.h"
#include "tools/flow-client/SvgPlot.h"
#include "tools/flow-client/TraverseRun.h"

#include <io.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

namespace ondivar::flow {
namespace {

const wchar_t programId[] = L"Ondivar.Ondivar_Velt";

int componentFailed(const CalculationFailure& failure)
{
    std::cerr << "ondivar-flow: " << failure.report();
    return exitComponentFailure;
}

int comUnavailable(HRESULT hr)
{
    std::cerr << "ondivar-flow: CoInitializeEx failed (HRESULT 0x" << std::hex
              << static_cast<unsigned long>(hr) << std::dec << ")\n";
    return exitComponentFailure;
}

int usage(const std::string& message)
{
    std::cerr << "ondivar-flow: " << message << "\nTry 'ondivar-flow --help'.\n";
    return exitUsage;
}

std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::u8path(utf8);
}

// --interactive leaves the farewell box to a user: refused at once when no user could see it.
bool interactiveRefused(const ClientOptions& options)
{
    std::string reason;
    if (!options.interactive || interactiveDisplayAvailable(reason))
        return false;
    std::cerr << "ondivar-flow: --interactive needs a display on which a user can close the component's "
                 "farewell box, and there is none: "
              << reason << ". Leave --interactive out: the client then acknowledges the box itself.\n";
    return true;
}

// Each phase's mass rate in kg/s from --mass-rate or --std-rate (a volume at 101325 Pa and 15 °C: the gas
// through its molar mass, a liquid through its density option). Throws UsageError.
std::vector<double> traverseMassRates(const CaseSettings& settings,
                                      const std::vector<PhaseDeclaration>& phases)
{
    std::vector<double> rates;
    for (const PhaseDeclaration& phase : phases) {
        const auto found = settings.phaseValues.find(phase.label);
        auto value = [&](Quantity q) -> std::optional<double> {
            if (found == settings.phaseValues.end() || found->second.count(q) == 0)
                return std::nullopt;
            return found->second.at(q);
        };
        const auto mass = value(Quantity::MassRate), standard = value(Quantity::StandardVolumeRate);
        if (mass && standard)
            throw UsageError("give phase '" + phase.label + "' one rate, --mass-rate or --std-rate");
        if (mass) {
            rates.push_back(*mass);
            continue;
        }
        if (!standard)
            throw UsageError("phase '" + phase.label + "' has no rate: give --mass-rate " + phase.label +
                             "=VALUE (kg/s, kg/h) or --std-rate " + phase.label +
                             "=VALUE (Sm3/s, Sm3/h, Sm3/d)");
        const bool gas = phase.state == "Vapor";
        const auto basis = value(gas ? Quantity::MolarMass : Quantity::Density);
        if (!basis)
            throw UsageError("--std-rate " + phase.label + " needs --" + (gas ? "molar-mass " : "density ") +
                             phase.label + "=VALUE to become a mass rate");
        rates.push_back(gas ? *standard * gasDensity(standardPressure, standardTemperature, *basis, 1.0)
                            : *standard * *basis);
    }
    return rates;
}

} // namespace

int runSingle(const ClientOptions& options)
{
    std::vector<PhaseDeclaration> phases;
    FlowInputs inputs;
    try {
        makeSingleCase(options.settings, phases, inputs);
    } catch (const UsageError& e) {
        return usage(e.what());
    }
    if (interactiveRefused(options))
        return exitUsage;

    const ComApartment apartment;
    if (FAILED(apartment.hr()))
        return comUnavailable(apartment.hr());
    std::optional<FarewellWatcher> watcher;
    if (!options.interactive)
        watcher.emplace(std::cout);
    try {
        FlowComponent component(programId, options.flowSpec);
        component.declarePhases(phases);
        const FlowResult result = component.calculate(inputs);
        std::cout << "Ondivar flow calculation (component Ondivar.Ondivar_Velt, flow basis \""
                  << options.flowSpec << "\")\n\n";
        writeResultTable(std::cout, phases, inputs, result);
        std::cout << '\n';
        std::cout.flush();
        component.release();
    } catch (const CalculationFailure& failure) {
        return componentFailed(failure);
    }
    return exitSuccess;
}

int runProfile(const ClientOptions& options)
{
    const bool traverse = options.mode == RunMode::Traverse;
    const std::filesystem::path profilePath = pathOf(options.profilePath);
    std::ifstream profile(profilePath, std::ios::binary);
    if (!profile) {
        std::cerr << "ondivar-flow: cannot open the profile '" << options.profilePath << "'\n";
        return exitUsage;
    }
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(profilePath, sizeError);

    ProfileReader reader(profile, options.settings, traverse ? ProfileKind::Traverse : ProfileKind::Batch);
    std::optional<SegmentMarcher> marcher;
    try {
        reader.readHeader();
        if (traverse)
            marcher.emplace(reader.phases(), traverseMassRates(options.settings, reader.phases()));
    } catch (const ProfileFormatError& e) {
        std::cerr << "ondivar-flow: " << options.profilePath << ": " << e.what() << '\n';
        return exitUsage;
    } catch (const UsageError& e) {
        return usage(e.what());
    }
    if (interactiveRefused(options))
        return exitUsage;
    if (!reader.defaultsNote().empty())
        std::cerr << "ondivar-flow: neither a column nor an option gives these values; typical values of the "
                     "phase's kind are used: "
                  << reader.defaultsNote() << '\n';

    std::ofstream resultsFile;
    if (!options.resultsPath.empty()) {
        resultsFile.open(pathOf(options.resultsPath), std::ios::binary);
        if (!resultsFile) {
            std::cerr << "ondivar-flow: cannot write the results '" << options.resultsPath << "'\n";
            return exitUsage;
        }
    }
    std::ostream& results = options.resultsPath.empty() ? std::cout : resultsFile;

    std::vector<std::string> labels;
    for (const PhaseDeclaration& phase : reader.phases())
        labels.push_back(phase.label);
    ProfileAccumulator accumulator(labels);
    BatchSummary summary;
    std::optional<TraverseSummary> marched;
    {
        const ComApartment apartment;
        if (FAILED(apartment.hr()))
            return comUnavailable(apartment.hr());
        std::optional<FarewellWatcher> watcher;
        if (!options.interactive)
            watcher.emplace(options.resultsPath.empty() ? std::cerr : std::cout);
        try {
            FlowComponent component(programId, options.flowSpec);
            ResultsCsvWriter writer(results, reader.phases(), traverse);
            ProgressMeter progress(std::cerr, sizeError ? 0 : size, _isatty(_fileno(stderr)) != 0);
            if (traverse) {
                marched = marchProfile(reader, component, *marcher,
                                       options.settings.pipe.at(Quantity::InletPressure), writer, accumulator,
                                       progress, std::cerr);
                summary = marched->rows;
            } else {
                summary = computeProfile(reader, component, writer, accumulator, progress, std::cerr);
            }
            results.flush();
            component.release();
        } catch (const CalculationFailure& failure) {
            return componentFailed(failure);
        }
    }
    if (!results) {
        std::cerr << "ondivar-flow: writing the results failed\n";
        return exitUsage;
    }
    if (summary.rows == 0) {
        std::cerr << "ondivar-flow: " << options.profilePath
                  << ": the profile has a header but no data rows: nothing to compute\n";
        return exitUsage;
    }

    if (!options.svgPath.empty()) {
        std::ofstream svg(pathOf(options.svgPath), std::ios::binary);
        PlotOptions plot;
        plot.title = std::string(traverse ? "Pressure traverse along " : "Pressure and holdups along ") +
                     profilePath.filename().u8string();
        plot.bySegment = options.plotBySegment;
        writeProfileSvg(svg, accumulator.series(), plot);
        if (!svg.flush()) {
            std::cerr << "ondivar-flow: cannot write the plot '" << options.svgPath << "'\n";
            return exitUsage;
        }
    }
    if (marched)
        writeTraverseSummary(std::cerr, *marched);
    else
        writeSummary(std::cerr, summary);
    return summary.failures.empty() ? exitSuccess : exitRowsFailed;
}

} // namespace ondivar::flow
