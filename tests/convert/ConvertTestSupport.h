#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace velmora::testing {

// A reference page in the published markdown layout: front matter, then the body.
inline std::string ReferencePageText(const std::string& uid, const std::string& body,
                                     const std::string& requirements = "req.header: ddraw.h\nreq.lib: Ddraw.lib\n"
                                                                       "req.dll: Ddraw.dll\ntargetos: Windows\n")
{
    return "---\nUID: " + uid + "\ntitle: " + uid.substr(uid.rfind('.') + 1) + "\n" + requirements +
           "topic_type:\n - APIRef\n---\n\n" + body;
}

// True when `part` stands in `rows` as one unbroken run.
inline bool ContainsRun(const std::vector<std::string>& rows, const std::vector<std::string>& part)
{
    return std::search(rows.begin(), rows.end(), part.begin(), part.end()) != rows.end();
}

inline std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

inline bool AnyLineContains(const std::vector<std::string>& lines, const std::string& text)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

} // namespace velmora::testing
