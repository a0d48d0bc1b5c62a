#include "cli/ConvertCommand.h"

#include <QCommandLineParser>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "convert/Converter.h"
#include "convert/OutputEncoding.h"

namespace velmora::cli {

namespace {

const QCommandLineOption HeaderOption(QStringLiteral("header"),
                                      QStringLiteral("The SDK header that declares the structures and methods "
                                                     "(ddraw.h; the one that names every parameter is best)."),
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
    std::string header;
    std::string output;
    std::string logFile;
    bool utf8 = false;
    std::vector<std::string> pages;
};

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

QString ConvertCommand::summary() const
{
    return QStringLiteral("convert reference pages (markdown) and the SDK header into one import file");
}

QString ConvertCommand::description() const
{
    return QStringLiteral("Converts structure pages, or interface pages with their method pages, and the "
                          "declarations of the SDK header into one import file in the layout the import parses, "
                          "Windows-1252 with CR LF line ends unless --utf8 is given. Every change made to fit the "
                          "layout is a log line on standard error (or in the --log FILE); an item that does not "
                          "fit is skipped whole.");
}

QList<QCommandLineOption> ConvertCommand::options() const
{
    return {HeaderOption, OutputOption, Utf8Option, LogOption};
}

QList<CommandArgument> ConvertCommand::arguments() const
{
    return {{QStringLiteral("PAGE"), QStringLiteral("A reference page (markdown)."), CommandArgument::Arity::OneOrMore}};
}

QString ConvertCommand::exitStatus() const
{
    return QStringLiteral("0 every item converted, 1 an item was skipped (the rest written), 2 nothing could be "
                          "written.");
}

int ConvertCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    std::ostream& out = context.out;
    std::ostream& err = context.err;
    ConvertArguments args{parser.value(HeaderOption).toStdString(), parser.value(OutputOption).toStdString(),
                parser.value(LogOption).toStdString(), parser.isSet(Utf8Option), {}};
    for (const QString& page : parser.positionalArguments())
        args.pages.push_back(page.toStdString());
    if (args.header.empty())
        return fail(context, QStringLiteral("--header HEADER is required"));
    if (parser.isSet(OutputOption) && args.output.empty())
        return fail(context, QStringLiteral("-o needs a file name"));
    if (parser.isSet(LogOption) && args.logFile.empty())
        return fail(context, QStringLiteral("--log needs a file name"));
    std::vector<convert::PageText> pages;
    std::string header;
    try {
        header = ReadWhole(args.header);
        for (const std::string& path : args.pages) pages.push_back({path, ReadWhole(path)});
    } catch (const std::exception& e) {
        return fail(context, QString::fromUtf8(e.what()));
    }
    convert::Conversion conversion = convert::Convert(header, pages);
    std::string file;
    if (!conversion.rows.empty()) file = convert::EncodeRows(conversion.rows, args.utf8, conversion.log);

    std::ostringstream log;
    for (const std::string& line : conversion.log) log << line << '\n';
    if (!conversion.failure.empty()) log << "nothing written: " << conversion.failure << '\n';
    else
        log << "converted " << conversion.written << " item(s), " << conversion.skipped << " skipped; "
            << conversion.members << " members or parameters, " << conversion.methods << " methods, "
            << conversion.flags << " flags\n";
    try {
        if (!file.empty()) {
            if (args.output.empty()) out << file;
            else WriteWhole(args.output, file);
        }
        if (args.logFile.empty()) err << log.str();
        else WriteWhole(args.logFile, log.str());
    } catch (const std::exception& e) {
        return fail(context, QString::fromUtf8(e.what()));
    }
    return conversion.ExitCode();
}

} // namespace velmora::cli
