#pragma once

// A real `velmora-cli import [OPTION...] FILE` run as a child process whose trace the test
// reads line by line, so that it can act at a chosen moment of the import:
// stop or resume the child, or act on the server it writes to. Its standard
// error goes to a file the test reads at the end.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace velmora::testing {

class ImportChild {
public:
    ImportChild(const std::string& file, std::string errorFile, std::vector<std::string> options = {})
        : errorFile_(std::move(errorFile))
    {
        std::vector<std::string> words{VELMORA_CLI_PATH, "import"};
        words.insert(words.end(), options.begin(), options.end());
        words.push_back(file);
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        int ends[2];
        if (::pipe(ends) != 0)
            return;
        // A small pipe: the child cannot run far ahead of the lines read.
        ::fcntl(ends[1], F_SETPIPE_SZ, 4096);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(ends[1], 1);
            const int err = ::open(errorFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(err, 2);
            ::close(ends[0]);
            ::execv(VELMORA_CLI_PATH, argv.data());
            ::_exit(127);
        }
        ::close(ends[1]);
        trace_ = ::fdopen(ends[0], "r");
    }
    ~ImportChild()
    {
        if (pid_ > 0 && !ended_) {
            ::kill(pid_, SIGKILL);
            wait();
        }
    }
    ImportChild(const ImportChild&) = delete;
    ImportChild& operator=(const ImportChild&) = delete;

    // Reads the trace until a line satisfies found; false when the trace ended first.
    bool readUntil(const std::function<bool(const std::string&)>& found)
    {
        char buffer[4096];
        while (trace_ && std::fgets(buffer, sizeof buffer, trace_))
            if (found(buffer))
                return true;
        return false;
    }

    void signal(int number) const { ::kill(pid_, number); }

    // Reads the rest of the trace and waits for the end: the exit code, or -1
    // when a signal ended the child.
    int wait()
    {
        readUntil([](const std::string&) { return false; });
        if (trace_) {
            std::fclose(trace_);
            trace_ = nullptr;
        }
        int status = 0;
        if (!ended_ && ::waitpid(pid_, &status, 0) == pid_) {
            ended_ = true;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return exitCode_;
    }

    std::string standardError() const
    {
        std::ifstream in(errorFile_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::string errorFile_;
    pid_t pid_ = -1;
    std::FILE* trace_ = nullptr;
    bool ended_ = false;
    int exitCode_ = -1;
};

// A structures file of `structures` structures named PREFIX0, PREFIX1, ..., each
// with `members` members m0, m1, ... and one flag per member. Each member's
// and flag's description names its structure ("Member 3 of A17.", "F_3 flag
// of A17."), so that what was stored shows which parent each row went to.
inline void writeStructuresFile(const std::string& path, const std::string& prefix, int structures, int members)
{
    std::ofstream out(path, std::ios::binary);
    out << "Structures\n";
    for (int s = 0; s < structures; ++s)
        out << prefix << s << '\n';
    for (int s = 0; s < structures; ++s) {
        const std::string name = prefix + std::to_string(s);
        out << name << "\nStructure " << name << ".\ntypedef struct _" << name << " {\n";
        for (int m = 0; m < members; ++m)
            out << "DWORD m" << m << ";\n";
        out << "} " << name << ";\nMembers\n";
        for (int m = 0; m < members; ++m)
            out << 'm' << m << "\nMember " << m << " of " << name << ".\nF_" << m << " flag of " << name << ".\n";
        out << "QuickInfo\na\nb\nc\nd\n";
    }
}

inline bool isSaveLine(const std::string& line)
{
    return line.starts_with("Saving Structure ");
}

} // namespace velmora::testing
