#pragma once
// The text of a PDF file as pdftotext lays it out ("" when it cannot run).

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace wm::test {

inline bool havePdfText() { return std::system("pdftotext -v >/dev/null 2>&1") == 0; }

inline std::string pdfText(const std::string& path)
{
    const std::string command = "pdftotext -layout '" + path + "' - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buf[4096];
    while (pipe && std::fgets(buf, sizeof buf, pipe.get())) text += buf;
    return text;
}

}  // namespace wm::test
