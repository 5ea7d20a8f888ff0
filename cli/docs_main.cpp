// wagemark-cli-docs OUTDIR VERSION DATE: writes the manual page and the
// shell completion of wagemark-cli into OUTDIR. Run by the build; it fails
// (and so does the build) when the option table would make them wrong.
#include <cstdio>
#include <fstream>
#include <string>

#include "cli/docs.h"

namespace {

bool writeFile(const std::string& path, const std::string& text)
{
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f << text;
        f.close();
        if (f) return true;
    }
    std::fprintf(stderr, "wagemark-cli-docs: cannot write %s\n", path.c_str());
    std::remove(path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: wagemark-cli-docs OUTDIR VERSION DATE\n");
        return 2;
    }
    const std::string dir = argv[1];
    const auto problems = wm::cli::tableProblems(wm::cli::options());
    for (const std::string& p : problems) std::fprintf(stderr, "wagemark-cli-docs: %s\n", p.c_str());
    if (!problems.empty()) return 1;
    const bool ok = writeFile(dir + "/wagemark-cli.1", wm::cli::manPage(argv[2], argv[3])) &&
                    writeFile(dir + "/wagemark-cli.bash", wm::cli::bashCompletion()) &&
                    writeFile(dir + "/_wagemark-cli", wm::cli::zshCompletion());
    return ok ? 0 : 1;
}
