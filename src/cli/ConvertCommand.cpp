#include "cli/ConvertCommand.h"

#include <QCommandLineParser>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "convert/Converter.h"
#include "convert/OutputEncoding.h"

namespace velmora::cli {

namespace {

const QCommandLineOption HeaderOption(QStringLiteral("header"),
                                      QStringLiteral("A header that declares the structures or methods (ddraw.h; "
                                                     "one that names every parameter is best). Give it once per "
                                                     "header a family needs: d3d9types.h and d3d9caps.h."),
                                      QStringLiteral("HEADER"));
const QCommandLineOption OutputOption({QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Write the import file to OUT instead of standard output."),
                                      QStringLiteral("OUT"));
const QCommandLineOption Utf8Option(QStringLiteral("utf8"),
                                    QStringLiteral("Write UTF-8 instead of Windows-1252."));
const QCommandLineOption LogOption(QStringLiteral("log"),
                                   QStringLiteral("Write the log to FILE instead of standard error."),
                                   QStringLiteral("FILE"));

struct ConvertArguments {
    std::vector<std::string> headers;
    std::string output;
    std::string logFile;
    bool utf8 = false;
    std::vector<std::string> pages;
};

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The reason the system gave, for messages that say why: "No such file or directory".
std::string Reason(int error)
{
    return std::strerror(error);
}

std::string ReadWhole(const std::string& path)
{
    File in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in)
        throw std::runtime_error("cannot read '" + path + "': " + Reason(errno));
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        text.append(buffer, got);
    if (std::ferror(in.get()))
        throw std::runtime_error("cannot read '" + path + "': " + Reason(errno));
    return text;
}

void WriteWhole(const std::string& path, const std::string& bytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        throw std::runtime_error("cannot write '" + path + "': " + Reason(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0;
    const int error = errno;
    // A full disk may show only when the file is closed.
    if (std::fclose(out) != 0 || !written)
        throw std::runtime_error("cannot write '" + path + "': " + Reason(written ? errno : error));
}

} // namespace

QString ConvertCommand::summary() const
{
    return QStringLiteral("convert reference pages (markdown) and the SDK header into one import file");
}

QString ConvertCommand::description() const
{
    return QStringLiteral("Converts structure pages, or interface pages with their method pages, and the "
                          "declarations of the SDK header into one import file in the layout the import parses, "
                          "Windows-1252 with CR LF line ends unless --utf8 is given. Every change made to fit the "
                          "layout is an 'adapted:' line of the log on standard error (or in the --log FILE), "
                          "everything documented that could not be written a 'lost:' line, and everything the "
                          "pages document but the headers do not declare a 'not in the header:' line; the log "
                          "ends with a summary per kind, which also goes to standard error when the log goes to "
                          "a file.");
}

QList<QCommandLineOption> ConvertCommand::options() const
{
    return {HeaderOption, OutputOption, Utf8Option, LogOption};
}

QStringList ConvertCommand::repeatableOptions() const
{
    return {QStringLiteral("header")};
}

QList<CommandArgument> ConvertCommand::arguments() const
{
    return {{QStringLiteral("PAGE"), QStringLiteral("A reference page (markdown)."), CommandArgument::Arity::OneOrMore}};
}

QString ConvertCommand::exitStatus() const
{
    return QStringLiteral("0 nothing lost, 1 something lost (the rest written), 2 nothing could be written.");
}

int ConvertCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    std::ostream& out = context.out;
    std::ostream& err = context.err;
    ConvertArguments args{{},
                          parser.value(OutputOption).toStdString(),
                          parser.value(LogOption).toStdString(),
                          parser.isSet(Utf8Option),
                          {}};
    for (const QString& header : parser.values(HeaderOption))
        if (!header.isEmpty())
            args.headers.push_back(header.toStdString());
    for (const QString& page : parser.positionalArguments())
        args.pages.push_back(page.toStdString());
    if (args.headers.empty())
        return fail(context, QStringLiteral("--header HEADER is required"));
    if (parser.isSet(OutputOption) && args.output.empty())
        return fail(context, QStringLiteral("-o needs a file name"));
    if (parser.isSet(LogOption) && args.logFile.empty())
        return fail(context, QStringLiteral("--log needs a file name"));
    std::vector<convert::PageText> pages;
    std::vector<std::string> headers;
    try {
        for (const std::string& path : args.headers)
            headers.push_back(ReadWhole(path));
        for (const std::string& path : args.pages) pages.push_back({path, ReadWhole(path)});
    } catch (const std::exception& e) {
        return fail(context, QString::fromUtf8(e.what()));
    }
    convert::Conversion conversion = convert::Convert(headers, pages);
    std::string file;
    if (!conversion.rows.empty()) file = convert::EncodeRows(conversion.rows, args.utf8, conversion.log);

    std::ostringstream summary;
    for (const std::string& line : conversion.Summary())
        summary << line << '\n';
    std::ostringstream log;
    for (const std::string& line : conversion.log.Lines())
        log << line << '\n';
    log << summary.str();
    try {
        if (!file.empty()) {
            if (args.output.empty()) out << file;
            else WriteWhole(args.output, file);
        }
        if (args.logFile.empty()) {
            err << log.str();
        } else {
            WriteWhole(args.logFile, log.str());
            err << summary.str();
        }
    } catch (const std::exception& e) {
        return fail(context, QString::fromUtf8(e.what()));
    }
    return conversion.ExitCode();
}

} // namespace velmora::cli
