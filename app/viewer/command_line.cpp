#include "app/viewer/command_line.h"

#include "data/file_names.h"
#include "data/fixed_texts.h"

namespace tolvinark {

namespace {
constexpr char kBlank = ' ';
constexpr char kQuote = '"';
}  // namespace

std::optional<std::string> fileArgument(std::string_view commandLine) {
    commandLine = commandLine.substr(0, commandLine.find('\0'));
    std::size_t position = 0;
    if (!commandLine.empty() && commandLine.front() == kQuote) {
        position = commandLine.find(kQuote, 1);
    } else {
        position = commandLine.find(kBlank);
    }
    if (position == std::string_view::npos) return std::nullopt;
    ++position;

    while (position < commandLine.size()) {
        if (commandLine[position] == kBlank) {
            ++position;
        } else if (commandLine[position] == kQuote) {
            // Explorer and file associations quote names that hold blanks: take it whole.
            const std::size_t start = position + 1;
            std::size_t end = commandLine.find(kQuote, start);
            if (end == std::string_view::npos) end = commandLine.size();
            const std::string_view quoted = commandLine.substr(start, end - start);
            if (quoted.find_first_not_of(kBlank) != std::string_view::npos) {
                return std::string(quoted);
            }
            position = end + 1;
        } else {
            std::size_t end = commandLine.find_first_of("\" ", position);
            if (end == std::string_view::npos) end = commandLine.size();
            return std::string(commandLine.substr(position, end - position));
        }
    }
    return std::nullopt;
}

FileResult openCommandLineFile(MeasurementData& data, std::string_view name) {
    if (fileNameUnits(name) > kMaxFileNameLength) {
        return FileResult{FileOutcome::FileMissing, std::string(texts::kMessageNoFile.view()),
                          std::string(name)};
    }
    return openMeasurementFile(data, name);
}

}  // namespace tolvinark
