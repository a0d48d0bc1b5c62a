#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

class QCommandLineParser;

namespace velmora::cli {

inline const QString ProgramName = QStringLiteral("velmora-cli");
// How traces and messages name a file read from standard input ("-").
inline const std::string StandardInputName = "<stdin>";

// What a command reads and writes, and the global options given before its name.
struct CommandContext {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    std::optional<QString> catalogue;   // --catalogue, when given
    bool progress = false;              // a long import may show how far it has come on err
    bool outIsFile = false;             // out is a regular file: no one reads it while it is written
    bool inIsTerminal = false;          // in is a terminal: someone is there to answer a question
};

// A positional argument of a command, as its help shows it.
struct CommandArgument {
    enum class Arity { One, Optional, OneOrMore };
    QString name;          // FILE, TABLE, ...
    QString description;
    Arity arity = Arity::One;
};

// One velmora-cli command. A command names itself, says what it does, lists its
// options and positional arguments and runs on the parsed command line.
// Parsing, --help and every command-line mistake (unknown or repeated options,
// missing values, too few or too many arguments) are handled here, the same way
// for every command; run() only sees a command line that fits.
class Command {
public:
    virtual ~Command() = default;

    virtual QString name() const = 0;
    virtual QString synopsis() const = 0;      // what follows the name in the usage line
    virtual QString summary() const = 0;       // one line for the command list
    virtual QString description() const = 0;   // the help's paragraphs
    virtual QList<QCommandLineOption> options() const { return {}; }
    virtual QList<CommandArgument> arguments() const { return {}; }
    // Options that may be given more than once (their values add up); any other
    // option given twice is a mistake.
    virtual QStringList repeatableOptions() const { return {}; }
    virtual QString exitStatus() const;        // the help's exit codes

    // Parses the words after the command's name and runs it: run()'s code,
    // 0 after --help, 2 for a command line it cannot use.
    int execute(const QStringList& words, CommandContext& context);

    QString usageLine() const;   // "usage: velmora-cli NAME SYNOPSIS"
    QString helpText() const;    // usage, description, options, arguments, exit status

protected:
    virtual int run(const QCommandLineParser& parser, CommandContext& context) = 0;

    // "velmora-cli NAME: message" on standard error; returns 2, for `return fail(...)`.
    int fail(CommandContext& context, const QString& message) const;

private:
    void buildParser(QCommandLineParser& parser) const;
    QString mistakeIn(const QCommandLineParser& parser, const QStringList& words) const;
};

// Standard output could not take what a command wrote (a full disk, a device
// error). A pipe whose reader went away ends the program by SIGPIPE instead.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Flushes out and throws OutputError when it, or any write before, failed.
void checkOutput(std::ostream& out);
// Whether the process's standard output is a regular file (not a pipe or a terminal).
bool standardOutputIsFile();

// -h, --help: the option every command has.
const QCommandLineOption& helpOption();

// The option as the user wrote it, for a message: "--name" or "-n".
QString optionAsWritten(const QString& name, const QStringList& words);

// Text broken into lines of at most width characters at spaces; a line break
// starts a new paragraph.
QString wrapped(const QString& text, qsizetype width = 79);

} // namespace velmora::cli
