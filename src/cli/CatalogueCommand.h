#pragma once

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueTables.h"
#include "cli/Command.h"

namespace velmora::cli {

// The catalogue a CatalogueCommand works on, connected; its tables closed.
struct OpenCatalogue {
    explicit OpenCatalogue(const catalogue::AliasRegistry& registry);

    // Closes the tables and the connection now, whatever fails: a command that
    // reports its own failure does so after the driver's warnings of closing
    // (a lost server's "Unable to free statement"), never before them.
    void close() noexcept;

    catalogue::AliasEntry entry;         // what --catalogue or the alias names
    catalogue::CatalogueTables tables;
};

// A command on an existing catalogue: the one --catalogue names, else the one
// the alias Corvane names. The base opens it after the command line proved
// usable, hands it to runOn(), and turns a CatalogueError from opening or from
// the command's own work into the command's failure ("velmora-cli NAME:
// message", exit 2).
class CatalogueCommand : public Command {
protected:
    enum class Opening {
        Checked,       // its tables and fields checked, as every use of it checks them
        ForChecking,   // connected only: the command looks for damage itself
        IfReachable,   // Checked where it opens; runUnreached() where the alias names none
                       // that does (a catalogue --catalogue names must open)
    };

    virtual Opening opening(const QCommandLineParser&) const { return Opening::Checked; }
    // A mistake on the command line found before the catalogue opens; empty when none.
    virtual QString mistake(const QCommandLineParser&) const { return {}; }
    virtual int runOn(OpenCatalogue& catalogue, const QCommandLineParser& parser, CommandContext& context) = 0;
    // Under IfReachable, when no catalogue could be opened.
    virtual int runUnreached(const QCommandLineParser& parser, CommandContext& context);

private:
    int run(const QCommandLineParser& parser, CommandContext& context) final;
};

} // namespace velmora::cli
