#include "cli/ConvertCommand.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "convert/Converter.h"
#include "convert/OutputEncoding.h"

namespace velmora::cli {

namespace {

constexpr const char* kUsage =
    "usage: velmora-cli convert --header HEADER [-o OUT] [--utf8] [--log FILE] PAGE...";

struct ConvertArguments {
    std::string header;
    std::string output;
    std::string logFile;
    bool utf8 = false;
    std::vector<std::string> pages;
};

std::optional<ConvertArguments> ParseArguments(const std::vector<std::string>& args)
{
    ConvertArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& target) {
            if (++i == args.size() || args[i].empty()) return false;
            target = args[i];
            return true;
        };
        if (arg == "--header") {
            if (!value(parsed.header)) return std::nullopt;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(parsed.output)) return std::nullopt;
        } else if (arg == "--log") {
            if (!value(parsed.logFile)) return std::nullopt;
        } else if (arg == "--utf8") {
            parsed.utf8 = true;
        } else if (arg.starts_with("-") || arg.empty()) {
            return std::nullopt;
        } else {
            parsed.pages.push_back(arg);
        }
    }
    if (parsed.header.empty() || parsed.pages.empty()) return std::nullopt;
    return parsed;
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read '" + path + "'");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWhole(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    out.close();
    if (!out) throw std::runtime_error("cannot write '" + path + "'");
}

} // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<ConvertArguments> parsed = ParseArguments(args);
    if (!parsed) {
        err << kUsage << '\n';
        return 2;
    }
    std::vector<convert::PageText> pages;
    std::string header;
    try {
        header = ReadWhole(parsed->header);
        for (const std::string& path : parsed->pages) pages.push_back({path, ReadWhole(path)});
    } catch (const std::exception& e) {
        err << "velmora-cli convert: " << e.what() << '\n';
        return 2;
    }
    convert::Conversion conversion = convert::Convert(header, pages);
    std::string file;
    if (!conversion.rows.empty()) file = convert::EncodeRows(conversion.rows, parsed->utf8, conversion.log);

    std::ostringstream log;
    for (const std::string& line : conversion.log) log << line << '\n';
    if (!conversion.failure.empty()) log << "nothing written: " << conversion.failure << '\n';
    else
        log << "converted " << conversion.written << " item(s), " << conversion.skipped << " skipped; "
            << conversion.members << " members or parameters, " << conversion.methods << " methods, "
            << conversion.flags << " flags\n";
    try {
        if (!file.empty()) {
            if (parsed->output.empty()) out << file;
            else WriteWhole(parsed->output, file);
        }
        if (parsed->logFile.empty()) err << log.str();
        else WriteWhole(parsed->logFile, log.str());
    } catch (const std::exception& e) {
        err << "velmora-cli convert: " << e.what() << '\n';
        return 2;
    }
    return conversion.ExitCode();
}

} // namespace velmora::cli
