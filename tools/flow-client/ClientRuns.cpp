#include "tools/flow-client/ClientRuns.h"

#include "tools/flow-client/BatchRun.h"
#include "tools/common/ComApartment.h"
#include "tools/flow-client/FarewellWatcher.h"
#include "tools/flow-client/FlowComponent.h"
#include "tools/flow-client/ResultTable.h"
#include "tools/flow-client/SvgPlot.h"

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

std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::u8path(utf8);
}

} // namespace

int runSingle(const ClientOptions& options)
{
    std::vector<PhaseDeclaration> phases;
    FlowInputs inputs;
    try {
        makeSingleCase(options.settings, phases, inputs);
    } catch (const UsageError& e) {
        std::cerr << "ondivar-flow: " << e.what() << "\nTry 'ondivar-flow --help'.\n";
        return exitUsage;
    }

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

int runBatch(const ClientOptions& options)
{
    const std::filesystem::path profilePath = pathOf(options.profilePath);
    std::ifstream profile(profilePath, std::ios::binary);
    if (!profile) {
        std::cerr << "ondivar-flow: cannot open the profile '" << options.profilePath << "'\n";
        return exitUsage;
    }
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(profilePath, sizeError);

    ProfileReader reader(profile, options.settings);
    try {
        reader.readHeader();
    } catch (const ProfileFormatError& e) {
        std::cerr << "ondivar-flow: " << options.profilePath << ": " << e.what() << '\n';
        return exitUsage;
    }

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
    {
        const ComApartment apartment;
        if (FAILED(apartment.hr()))
            return comUnavailable(apartment.hr());
        std::optional<FarewellWatcher> watcher;
        if (!options.interactive)
            watcher.emplace(options.resultsPath.empty() ? std::cerr : std::cout);
        try {
            FlowComponent component(programId, options.flowSpec);
            ResultsCsvWriter writer(results, reader.phases());
            ProgressMeter progress(std::cerr, sizeError ? 0 : size);
            summary = computeProfile(reader, component, writer, accumulator, progress, std::cerr);
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

    if (!options.svgPath.empty()) {
        std::ofstream svg(pathOf(options.svgPath), std::ios::binary);
        writeProfileSvg(svg, accumulator.series(),
                        "Pressure and holdups along " + profilePath.filename().u8string());
        if (!svg.flush()) {
            std::cerr << "ondivar-flow: cannot write the plot '" << options.svgPath << "'\n";
            return exitUsage;
        }
    }
    writeSummary(std::cerr, summary);
    return summary.failures.empty() ? exitSuccess : exitRowsFailed;
}

} // namespace ondivar::flow
