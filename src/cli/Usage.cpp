#include "cli/Usage.h"

#include <ostream>

namespace velmora::cli {

void PrintUsage(std::ostream& out)
{
    out << "usage: velmora-cli COMMAND [ARGS]\n"
           "\n"
           "  init [--database PATH]   create the catalogue if it is absent and register the alias Corvane\n"
           "                           (default PATH: ${XDG_DATA_HOME:-~/.local/share}/velmora/corvane.sqlite)\n"
           "  import [--class NAME] [--dry-run] FILE\n"
           "                           import a documentation file into the catalogue\n"
           "  dump [TABLE]             print a table (default: Structures, Structure_Members,\n"
           "                           Structure_Member_Flags) as tab-separated rows with a header row,\n"
           "                           in key order; tabs, line breaks and backslashes in values are\n"
           "                           written as \\t, \\n, \\r and \\\\\n"
           "  clear                    empty the structure, member and flag tables\n"
           "  convert --header HEADER [-o OUT] [--utf8] [--log FILE] PAGE...\n"
           "                           convert reference pages (markdown) and the SDK header into one\n"
           "                           import file (Windows-1252, CR LF; --utf8 for UTF-8); a log line\n"
           "                           per change goes to standard error or FILE; exit 1 when a page\n"
           "                           was skipped, 2 when nothing could be written\n"
           "\n"
           "Exit status: 0 done, 1 the import reported an error, 2 the command could not run.\n";
}

} // namespace velmora::cli
