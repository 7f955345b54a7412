#include "cli/screen_model.h"

#include "text/number_text.h"

#include <cstdlib>

namespace termiva::cli {

using files::InputFileKind;

const std::array<std::string_view, 3> kVesselShapes = {"Rectangular", "Horizontal Cylindrical",
                                                       "Vertical Cylindical"};

namespace {

constexpr int kFirstPipeRow = 13;
constexpr int kLastPipeRow = 25;
constexpr std::array<std::string_view, 5> kSinglePipeThicknesses = {"Text10", "Text11", "Text12",
                                                                    "Text13", "Text14"};

std::string RowName(std::string_view array, int row) {
    return std::string(array) + "(" + std::to_string(row) + ")";
}

// Required fields of the single pipe and vessel screens, in testing order.
const std::vector<std::string_view>& RequiredOrder(InputFileKind kind) {
    static const std::vector<std::string_view> singlePipe = {
        "Text1", "Text2",  "Text3",  "Text4",  "Text5",  "Text6",
        "Text7", "Text10", "Text11", "Text12", "Text13", "Text14"};
    static const std::vector<std::string_view> vessel = {"Text1",  "Text2",  "Text3",  "Text4",
                                                         "Text5",  "Text6",  "Text7",  "Text8",
                                                         "Text10", "Text11", "Text12", "Text13"};
    static const std::vector<std::string_view> multiplePipes = {"Text11", "Text12", "Text13",
                                                                "Text14", "Text15", "Text16"};
    switch (kind) {
    case InputFileKind::SinglePipe:
        return singlePipe;
    case InputFileKind::Vessel:
        return vessel;
    case InputFileKind::MultiplePipes:
        break;
    }
    return multiplePipes;
}

using Captions = std::map<std::string_view, std::string_view, std::less<>>;

const Captions& CaptionsOf(InputFileKind kind) {
    static const Captions singlePipe = {
        {"Text1", "Pipe nominal diameter (D1) [mm]"},
        {"Text2", "Pipe outside diameter (D2) [mm]"},
        {"Text3", "Fluid Temperature (T1) [oC]"},
        {"Text4", "Ambient Temperature (Tout) [oC]"},
        {"Text5", "Insulation Thermal Conductivity (k) [W/(m K)]"},
        {"Text6", "Emissivity of Outside Surface (e) [-]"},
        {"Text7", "Wind Coefficinent (WC) [-]"},
        {"Text10", "tins1 [mm]"},
        {"Text11", "tins2 [mm]"},
        {"Text12", "tins3 [mm]"},
        {"Text13", "tins4 [mm]"},
        {"Text14", "tins5 [mm]"},
    };
    static const Captions vessel = {
        {"Text1", "Lenght (L) [m]"},
        {"Text2", "Heigth of Vessel (H) [m]"},
        {"Text3", "Width of Vessel (W) [m]"},
        {"Text4", "Fluid Temperature (T1) [oC]"},
        {"Text5", "Ambient Temperature (Tout) [oC]"},
        {"Text6", "Insulation Thermal Conductivity (k) [W/(m K)]"},
        {"Text7", "Emissivity of Outside Surface (e) [-]"},
        {"Text8", "Wind Coefficinent (WC) [-]"},
        {"Text10", "tins1 [mm]"},
        {"Text11", "tins2 [mm]"},
        {"Text12", "tins3 [mm]"},
        {"Text13", "tins4 [mm]"},
    };
    static const Captions multiplePipes = {
        {"Text11", "Ambient Temperature (Tout) [oC]"},
        {"Text12", "Fluid Temperature (T1) [oC]"},
        {"Text13", "Thickness of Insulation (delta)  [mm]"},
        {"Text14", "Insulation Thermal Conductivity (k) [W/(m K)]"},
        {"Text15", "Emissivity of Outside Surface (e) [-]"},
        {"Text16", "Wind Coefficinent (WC) [-]"},
        {"Text3", "Lenght of Pipes [m]"},
        {"Text4", "Number of Valves"},
        {"Text5", "Number of Flanges"},
    };
    switch (kind) {
    case InputFileKind::SinglePipe:
        return singlePipe;
    case InputFileKind::Vessel:
        return vessel;
    case InputFileKind::MultiplePipes:
        break;
    }
    return multiplePipes;
}

std::string MissingValue(const ScreenTexts& screen, std::string_view controlName) {
    return "Please input value! (" + std::string(controlName) + ", " +
           Caption(screen, controlName) + ")";
}

// Converts the named texts, remembering the first one that is not a number.
class Converter {
public:
    Converter(const ScreenTexts& screen, std::string_view separator)
        : screen_(screen), separator_(separator) {}

    double operator()(std::string_view controlName) {
        std::optional<double> value = text::ToDouble(screen_.text(controlName), separator_);
        if (!value && !failed_) {
            failed_ = std::string(controlName);
            return 0;
        }
        return value.value_or(0);
    }

    std::optional<CalculationError> error() const {
        if (!failed_)
            return std::nullopt;
        return CalculationError{"Invalid entries, please enter numbers only (" + *failed_ + ", " +
                                Caption(screen_, *failed_) + ")"};
    }

private:
    const ScreenTexts& screen_;
    std::string_view separator_;
    std::optional<std::string> failed_;
};

// The single pipe screen's fields that both its calculation and the diameter
// table read: T1, Tout, k, e, WC and the five thicknesses.
DiameterTableInput SinglePipeConditions(Converter& number) {
    DiameterTableInput input;
    input.T1 = number("Text3");
    input.Tout = number("Text4");
    input.k = number("Text5");
    input.e = number("Text6");
    input.WC = number("Text7");
    for (std::size_t i = 0; i < kSinglePipeThicknesses.size(); ++i)
        input.tins[i] = number(kSinglePipeThicknesses[i]);
    return input;
}

} // namespace

const std::string& ScreenTexts::text(std::string_view controlName) const {
    static const std::string empty;
    auto it = texts.find(controlName);
    return it == texts.end() ? empty : it->second;
}

ScreenTexts LoadScreen(InputFileKind kind, const files::InputRecord& record,
                       std::string_view decimalSeparator) {
    const files::InputFileFormat& format = FormatOf(kind);
    ScreenTexts screen{kind, record.listIndex, {}};
    auto set = [&](const std::string& name, std::string_view text) {
        screen.texts[name] = text::ApplyTypingFilter(text, decimalSeparator).text;
    };

    if (kind == InputFileKind::SinglePipe && record.listIndex >= 0 &&
        record.listIndex < static_cast<int>(kSinglePipeSizes.size())) {
        const PipeSizeEntry& entry = kSinglePipeSizes[static_cast<std::size_t>(record.listIndex)];
        set("Text1", entry.D1 ? text::ToText(*entry.D1, decimalSeparator) : "");
        set("Text2", entry.D2 ? text::ToText(*entry.D2, decimalSeparator) : "");
    }
    for (std::size_t i = 0; i < format.fieldNames.size(); ++i)
        set(format.fieldNames[i], i < record.fields.size() ? record.fields[i] : "");
    if (record.diameters) {
        for (std::size_t i = 0; i < format.diameterFieldNames.size() && i < 2; ++i)
            set(format.diameterFieldNames[i], (*record.diameters)[i]);
    }
    return screen;
}

std::vector<std::string> CheckInputs(const ScreenTexts& screen) {
    for (std::string_view name : RequiredOrder(screen.kind)) {
        if (screen.text(name).empty())
            return {MissingValue(screen, name)};
    }
    std::vector<std::string> messages;
    if (screen.kind != InputFileKind::MultiplePipes)
        return messages;
    for (int row = kFirstPipeRow; row <= kLastPipeRow; ++row) {
        const std::array<std::string, 3> entries = {RowName("Text3", row), RowName("Text4", row),
                                                    RowName("Text5", row)};
        bool anyFilled = false;
        for (const std::string& name : entries)
            anyFilled = anyFilled || !screen.text(name).empty();
        if (!anyFilled)
            continue;
        for (const std::string& name : entries) {
            if (screen.text(name).empty()) {
                messages.push_back(MissingValue(screen, name));
                break;
            }
        }
    }
    return messages;
}

std::string Caption(const ScreenTexts& screen, std::string_view controlName) {
    std::string_view base = controlName.substr(0, controlName.find('('));
    if (screen.kind == InputFileKind::Vessel && base == "Text3" && screen.listIndex > 0)
        return "Diameter of Vessel (D) [m]";
    const Captions& captions = CaptionsOf(screen.kind);
    auto it = captions.find(base);
    std::string caption = it == captions.end() ? std::string() : std::string(it->second);
    if (base.size() != controlName.size()) {
        // An element of a pipe row: name the row by its nominal diameter.
        int row = std::atoi(std::string(controlName.substr(base.size() + 1)).c_str());
        if (row >= kFirstPipeRow && row <= kLastPipeRow) {
            double nominal = kPipeGroupSizes[static_cast<std::size_t>(row - kFirstPipeRow)].NO;
            caption += ", NO " + text::ToText(nominal, ".") + " [mm]";
        }
    }
    return caption;
}

CalculationResult<SinglePipeResult> CalculateSinglePipe(const ScreenTexts& screen,
                                                        std::string_view decimalSeparator) {
    Converter number(screen, decimalSeparator);
    SinglePipeInput input;
    input.D2 = number("Text2");
    const DiameterTableInput common = SinglePipeConditions(number);
    input.T1 = common.T1;
    input.Tout = common.Tout;
    input.k = common.k;
    input.e = common.e;
    input.WC = common.WC;
    input.tins = common.tins;
    if (auto error = number.error())
        return *error;
    return SinglePipeHeatLoss(input);
}

CalculationResult<VesselResult> CalculateVessel(const ScreenTexts& screen,
                                                std::string_view decimalSeparator) {
    Converter number(screen, decimalSeparator);
    VesselInput input;
    input.shape = screen.listIndex + 1;
    // Only the dimensions the shape uses are converted.
    switch (input.shape) {
    case 1:
        input.L = number("Text1");
        input.H = number("Text2");
        input.W = number("Text3");
        break;
    case 2:
        input.L = number("Text1");
        input.W = number("Text3");
        break;
    case 3:
        input.H = number("Text2");
        input.W = number("Text3");
        break;
    default:
        break;
    }
    input.T1 = number("Text4");
    input.Tout = number("Text5");
    input.k = number("Text6");
    input.e = number("Text7");
    input.WC = number("Text8");
    const std::array<std::string_view, 4> thicknesses = {"Text10", "Text11", "Text12", "Text13"};
    for (std::size_t i = 0; i < thicknesses.size(); ++i)
        input.tins[i] = number(thicknesses[i]);
    if (auto error = number.error())
        return *error;
    return VesselHeatLoss(input);
}

CalculationResult<PipeGroupResult> CalculatePipeGroup(const ScreenTexts& screen,
                                                      std::string_view decimalSeparator) {
    Converter number(screen, decimalSeparator);
    PipeGroupInput input;
    input.Tout = number("Text11");
    input.T1 = number("Text12");
    input.delta = number("Text13");
    input.k = number("Text14");
    input.e = number("Text15");
    input.WC = number("Text16");
    for (int row = kFirstPipeRow; row <= kLastPipeRow; ++row) {
        PipeRow& pipe = input.rows[static_cast<std::size_t>(row - kFirstPipeRow)];
        pipe.used = !screen.text(RowName("Text3", row)).empty();
        if (!pipe.used)
            continue;
        pipe.L = number(RowName("Text3", row));
        pipe.valves = number(RowName("Text4", row));
        pipe.flanges = number(RowName("Text5", row));
    }
    if (auto error = number.error())
        return *error;
    return PipeGroupHeatLoss(input);
}

CalculationResult<DiameterTable> CalculateDiameterTable(const ScreenTexts& screen,
                                                        std::string_view decimalSeparator) {
    Converter number(screen, decimalSeparator);
    const DiameterTableInput input = SinglePipeConditions(number);
    if (auto error = number.error())
        return *error;
    return ComputeDiameterTable(input);
}

} // namespace termiva::cli
