#pragma once

#include <QString>
#include <QStringList>
#include <iosfwd>
#include <memory>
#include <vector>

#include "cli/Command.h"

namespace velmora::cli {

// velmora-cli's command line: the global options (--catalogue, --help,
// --version), then a command by its name and the command's own words.
class CommandLine {
public:
    CommandLine();   // registers every command

    int run(const QStringList& words, std::istream& in, std::ostream& out, std::ostream& err);
    // Whether err is a terminal a progress line may be drawn on; off unless set.
    void setProgressOnStandardError(bool on) { progress_ = on; }
    // Whether out is a regular file (CommandContext::outIsFile); off unless set.
    void setOutputIsFile(bool on) { outIsFile_ = on; }
    // Whether in is a terminal (CommandContext::inIsTerminal); off unless set.
    void setInputIsTerminal(bool on) { inIsTerminal_ = on; }

    const Command* command(const QString& name) const;   // null for an unknown name
    QString helpText() const;                            // the program's help: commands and global options

private:
    void add(std::unique_ptr<Command> command);

    std::vector<std::unique_ptr<Command>> commands_;
    bool progress_ = false;
    bool outIsFile_ = false;
    bool inIsTerminal_ = false;
};

} // namespace velmora::cli
