#include "log/CsvExport.h"

#include "log/Channels.h"

#include <charconv>

namespace dp {

namespace {

void AppendNumber(std::string& line, float value)
{
    char text[32];
    // Without a format, to_chars gives the shortest text that round-trips.
    const auto result = std::to_chars(text, text + sizeof text, value);
    line.append(text, result.ptr);
}

}  // namespace

std::string CsvHeader()
{
    std::string line = "Time";
    for (const Channel& channel : kChannels) {
        line += ',';
        line += channel.Name;
    }
    return line;
}

std::string CsvRow(const TEngineSample& sample)
{
    std::string line;
    AppendNumber(line, sample.Time);
    for (const Channel& channel : kChannels) {
        line += ',';
        if (channel.Kind == ChannelKind::Flag) {
            line += std::to_string(unsigned(sample.*channel.FlagField));
        } else {
            AppendNumber(line, sample.*channel.ValueField);
        }
    }
    return line;
}

void WriteCsv(const SampleLog& log, std::ostream& out)
{
    out << CsvHeader() << '\n';
    for (const SampleNode* node = log.Head(); node != nullptr; node = node->Next) {
        out << CsvRow(node->Sample) << '\n';
    }
}

}  // namespace dp
