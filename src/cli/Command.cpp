#include "cli/Command.h"
#include "cli/output/StandardOutputBuffer.h"

#include <QCommandLineParser>
#include <QMap>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>

#include <sys/stat.h>
#include <unistd.h>

namespace velmora::cli {

namespace {

// Qt starts its help with a usage line naming the path the program was started
// by; ours replaces it.
QString withoutFirstLine(const QString& text)
{
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    return end < 0 ? QString() : text.mid(end + 1);
}

} // namespace

QString optionAsWritten(const QString& name, const QStringList& words)
{
    const QString longForm = QStringLiteral("--") + name;
    for (const QString& word : words) {
        if (word == longForm || word.startsWith(longForm + QLatin1Char('=')))
            return longForm;
    }
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString wrapped(const QString& text, qsizetype width)
{
    QString result;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        qsizetype lineLength = 0;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (lineLength > 0 && lineLength + 1 + word.size() > width) {
                result += QLatin1Char('\n');
                lineLength = 0;
            } else if (lineLength > 0) {
                result += QLatin1Char(' ');
                ++lineLength;
            }
            result += word;
            lineLength += word.size();
        }
        result += QLatin1Char('\n');
    }
    return result;
}

namespace {

// Qt's "Missing value after '--class'." in the form of our other messages.
QString asClause(QString text)
{
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

} // namespace

void checkOutput(std::ostream& out)
{
    out.flush();
    if (out)
        return;
    int error = errno;
    if (const auto* buffer = dynamic_cast<const StandardOutputBuffer*>(out.rdbuf()); buffer && buffer->error() != 0)
        error = buffer->error();   // errno may have changed since the write failed
    throw OutputError(std::string("cannot write to standard output: ") + std::strerror(error));
}

bool standardOutputIsFile()
{
    struct stat out {};
    return ::fstat(STDOUT_FILENO, &out) == 0 && S_ISREG(out.st_mode);
}

const QCommandLineOption& helpOption()
{
    static const QCommandLineOption option({QStringLiteral("h"), QStringLiteral("help")},
                                           QStringLiteral("Show this help and exit."));
    return option;
}

QString Command::exitStatus() const
{
    return QStringLiteral("0 done, 2 the command could not run.");
}

QString Command::usageLine() const
{
    const QString rest = synopsis();
    return QStringLiteral("usage: %1 %2").arg(ProgramName, name()) + (rest.isEmpty() ? QString() : QLatin1Char(' ') + rest);
}

void Command::buildParser(QCommandLineParser& parser) const
{
    for (const QCommandLineOption& option : options())
        parser.addOption(option);
    parser.addOption(helpOption());
    for (const CommandArgument& argument : arguments())
        parser.addPositionalArgument(argument.name, argument.description);
}

QString Command::helpText() const
{
    QCommandLineParser parser;
    buildParser(parser);
    return usageLine() + QStringLiteral("\n\n") + wrapped(description()) + withoutFirstLine(parser.helpText()) +
           QLatin1Char('\n') + wrapped(QStringLiteral("Exit status: ") + exitStatus());
}

int Command::fail(CommandContext& context, const QString& message) const
{
    context.out.flush();
    context.err << ProgramName.toStdString() << ' ' << name().toStdString() << ": " << message.toStdString() << '\n';
    return 2;
}

QString Command::mistakeIn(const QCommandLineParser& parser, const QStringList& words) const
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString unknown = optionAsWritten(parser.unknownOptionNames().first(), words);
        if (unknown == QStringLiteral("--catalogue"))
            return QStringLiteral("'--catalogue PATH' goes before the command's name");
        return QStringLiteral("unknown option '%1'").arg(unknown);
    }
    if (!parser.errorText().isEmpty())
        return asClause(parser.errorText());

    // Each option once: of two values, one would silently be dropped.
    // -o and --output are one option.
    const QList<QCommandLineOption> declared = options() << helpOption();
    QMap<QString, int> seen;
    for (const QString& found : parser.optionNames()) {
        const auto option = std::find_if(declared.begin(), declared.end(),
                                         [&](const QCommandLineOption& o) { return o.names().contains(found); });
        const QString key = option == declared.end() ? found : option->names().first();
        if (++seen[key] == 2 && !repeatableOptions().contains(key))
            return QStringLiteral("option '%1' given twice").arg(optionAsWritten(found, words));
    }

    const QStringList given = parser.positionalArguments();
    qsizetype least = 0;
    bool bounded = true;
    const QList<CommandArgument> positionals = arguments();
    for (const CommandArgument& argument : positionals) {
        if (argument.arity != CommandArgument::Arity::Optional && given.size() <= least)
            return QStringLiteral("missing %1").arg(argument.name);
        least += argument.arity == CommandArgument::Arity::Optional ? 0 : 1;
        bounded = bounded && argument.arity != CommandArgument::Arity::OneOrMore;
    }
    if (bounded && given.size() > positionals.size())
        return QStringLiteral("unexpected argument '%1'").arg(given[positionals.size()]);
    return {};
}

int Command::execute(const QStringList& words, CommandContext& context)
{
    QCommandLineParser parser;
    buildParser(parser);
    const bool parsed = parser.parse(QStringList{ProgramName} + words);
    if (parsed && parser.isSet(helpOption())) {
        context.out << helpText().toStdString();
        return 0;
    }
    const QString mistake = mistakeIn(parser, words);
    if (!mistake.isEmpty()) {
        context.out.flush();
        context.err << ProgramName.toStdString() << ": " << mistake.toStdString() << " for '" << name().toStdString()
                    << "'\n"
                    << usageLine().toStdString() << '\n';
        return 2;
    }
    return run(parser, context);
}

} // namespace velmora::cli
