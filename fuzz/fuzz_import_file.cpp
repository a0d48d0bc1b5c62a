// A whole import of the fuzzer's bytes as a file (either kind, no catalogue):
// loading, type dispatch and both parsers. The file lives in memory.
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "FuzzSupport.h"
#include "import/ImportSession.h"
#include "text/RowLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    static const int fd = ::memfd_create("velmora-fuzz", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;

    fuzz::DiscardingObserver observer;
    import::ImportSession session(observer, nullptr);
    session.ImportFile(path);
    return 0;
}
