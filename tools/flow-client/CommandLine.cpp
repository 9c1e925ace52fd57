#include "tools/flow-client/CommandLine.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <utility>

namespace ondivar::flow {
namespace {

// Walks the arguments; an option's value is the next argument or follows '=' in the same one.
class ArgumentCursor {
public:
    explicit ArgumentCursor(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    bool done() const { return m_index >= m_arguments.size(); }

    // The next option's name (with "--"); its inline value, if any, is kept for value().
    std::string nextOption()
    {
        std::string argument = m_arguments[m_index++];
        m_inlineValue.reset();
        if (argument.rfind("--", 0) == 0) {
            const std::size_t equals = argument.find('=');
            if (equals != std::string::npos) {
                m_inlineValue = argument.substr(equals + 1);
                argument.resize(equals);
            }
        }
        return argument;
    }

    std::string value(const std::string& option)
    {
        if (m_inlineValue)
            return *std::exchange(m_inlineValue, std::nullopt);
        if (done())
            throw UsageError(option + " needs a value");
        return m_arguments[m_index++];
    }

    void noValue(const std::string& option) const
    {
        if (m_inlineValue)
            throw UsageError(option + " takes no value");
    }

private:
    const std::vector<std::string>& m_arguments;
    std::size_t m_index = 0;
    std::optional<std::string> m_inlineValue;
};

double number(const std::string& option, const std::string& text, Quantity q)
{
    try {
        return parseQuantityValue(q, text);
    } catch (const std::invalid_argument& e) {
        throw UsageError(option + ": " + e.what());
    }
}

PhaseDeclaration phaseDeclarationOption(const std::string& text)
{
    try {
        return parsePhaseDeclaration(text);
    } catch (const UsageError& e) {
        throw UsageError(std::string("--phase: ") + e.what());
    }
}

void setOnce(std::map<Quantity, double>& values, Quantity q, double value, const std::string& what)
{
    if (!values.emplace(q, value).second)
        throw UsageError(what + " is given twice");
}

void setPhaseValue(CaseSettings& settings, const std::string& option, const std::string& text, Quantity q)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
        throw UsageError(option + ": '" + text + "' is not LABEL=VALUE");
    const std::string label = text.substr(0, equals);
    const double value = number(option + " " + label, text.substr(equals + 1), q);
    setOnce(settings.phaseValues[label], q, value, option + " " + label);
}

// The values of a traverse belong to one, and a traverse needs its inlet pressure.
void checkTraverseValues(const ClientOptions& options)
{
    const bool traverse = options.mode == RunMode::Traverse;
    auto traverseOnly = [](Quantity q) {
        return q == Quantity::Temperature || q == Quantity::InletPressure || q == Quantity::MassRate ||
               q == Quantity::StandardVolumeRate || q == Quantity::MolarMass ||
               q == Quantity::Compressibility;
    };
    auto refuse = [](Quantity q) {
        throw UsageError("--" + std::string(info(q).name) + " belongs to a traverse (--traverse PROFILE)");
    };
    for (const auto& [q, value] : options.settings.pipe)
        if (!traverse && traverseOnly(q))
            refuse(q);
    for (const auto& [label, values] : options.settings.phaseValues)
        for (const auto& [q, value] : values)
            if (!traverse && traverseOnly(q))
                refuse(q);
    if (traverse && options.settings.pipe.count(Quantity::InletPressure) == 0)
        throw UsageError("a traverse needs the pressure at the inlet: give --inlet-pressure P (e.g. 190bar)");
}

} // namespace

ClientOptions parseCommandLine(const std::vector<std::string>& arguments)
{
    ClientOptions options;
    bool angleGiven = false;
    ArgumentCursor cursor(arguments);
    while (!cursor.done()) {
        const std::string option = cursor.nextOption();
        if (option.rfind("--", 0) != 0)
            throw UsageError("unexpected argument '" + option + "' (options start with --; see --help)");
        const std::string name = option.substr(2);

        if (name == "help") {
            cursor.noValue(option);
            options.mode = RunMode::Help;
            return options;
        }
        if (name == "interactive") {
            cursor.noValue(option);
            options.interactive = true;
        } else if (name == "batch" || name == "traverse") {
            if (options.mode == RunMode::Batch || options.mode == RunMode::Traverse)
                throw UsageError("give one profile, with --batch or --traverse");
            options.mode = name == "batch" ? RunMode::Batch : RunMode::Traverse;
            options.profilePath = cursor.value(option);
        } else if (name == "plot-x") {
            const std::string axis = cursor.value(option);
            if (axis != "distance" && axis != "segment")
                throw UsageError("--plot-x: '" + axis + "' is neither 'distance' nor 'segment'");
            options.plotBySegment = axis == "segment";
        } else if (name == "out") {
            options.resultsPath = cursor.value(option);
        } else if (name == "svg") {
            options.svgPath = cursor.value(option);
        } else if (name == "flowspec") {
            options.flowSpec = cursor.value(option);
        } else if (name == "phase") {
            PhaseDeclaration phase = phaseDeclarationOption(cursor.value(option));
            for (const PhaseDeclaration& earlier : options.settings.phases)
                if (earlier.label == phase.label)
                    throw UsageError("--phase: the label '" + phase.label + "' is declared twice");
            options.settings.phases.push_back(std::move(phase));
        } else if (const auto q = quantityNamed(name, true); q && name == info(*q).name) {
            setPhaseValue(options.settings, option, cursor.value(option), *q);
        } else if (const auto p = quantityNamed(name, false); p && *p != Quantity::Length) {
            const double value = number(option, cursor.value(option), *p);
            if (*p == Quantity::Angle || *p == Quantity::Inclination) {
                if (options.settings.pipe.count(Quantity::Inclination) != 0)
                    throw UsageError(angleGiven || *p == Quantity::Angle
                                         ? "give the inclination once, either --inclination or --angle"
                                         : "--inclination is given twice");
                angleGiven = angleGiven || *p == Quantity::Angle;
                options.settings.pipe[Quantity::Inclination] =
                    *p == Quantity::Angle ? inclinationOfAngle(value) : value;
            } else {
                setOnce(options.settings.pipe, *p, value, option);
            }
        } else {
            throw UsageError("unknown option '" + option + "' (see --help)");
        }
    }
    const bool profile = options.mode == RunMode::Batch || options.mode == RunMode::Traverse;
    if (!profile && (!options.resultsPath.empty() || !options.svgPath.empty() || options.plotBySegment))
        throw UsageError("--out, --svg and --plot-x belong to a profile run (--batch or --traverse PROFILE)");
    checkTraverseValues(options);
    return options;
}

} // namespace ondivar::flow
