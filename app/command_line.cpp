#include "app/command_line.h"

#include "data/fixed_texts.h"

namespace tolvinark {

namespace {
constexpr char kBlank = ' ';
constexpr char kQuote = '"';
}  // namespace

std::optional<std::string> fileArgument(std::string_view commandLine) {
    std::size_t position = 0;
    if (!commandLine.empty() && commandLine.front() == kQuote) {
        position = commandLine.find(kQuote, 1);
    } else {
        position = commandLine.find(kBlank);
    }
    if (position == std::string_view::npos) return std::nullopt;
    ++position;

    while (position < commandLine.size() &&
           (commandLine[position] == kBlank || commandLine[position] == kQuote)) {
        ++position;
    }
    if (position == commandLine.size()) return std::nullopt;

    constexpr std::string_view kNameEnds{" \"\0", 3};
    std::size_t end = commandLine.find_first_of(kNameEnds, position);
    if (end == std::string_view::npos) end = commandLine.size();
    return std::string(commandLine.substr(position, end - position));
}

FileResult openCommandLineFile(MeasurementData& data, std::string_view name) {
    if (name.size() > kMaxFileNameLength) {
        FileResult refused;
        refused.outcome = FileOutcome::FileMissing;
        refused.message = std::string(texts::kMessageNoFile.view());
        refused.message += name;
        return refused;
    }
    return openMeasurementFile(data, name);
}

}  // namespace tolvinark
