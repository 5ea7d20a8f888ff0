#include <unistd.h>

#include <csignal>
#include <iostream>

#include "cli/cli.h"
#include "cli/fd_stream.h"
#include "cli/statement_module.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    // A file-size limit is one more full disk: the write fails with its
    // reason instead of ending the tool.
    std::signal(SIGXFSZ, SIG_IGN);
    wm::cli::holdClosedStandardDescriptors();
    wm::cli::FdInBuf inBuf(STDIN_FILENO);
    wm::cli::FdOutBuf outBuf(STDOUT_FILENO);
    std::istream in(&inBuf);
    std::ostream out(&outBuf);
#ifdef WAGEMARK_HAVE_PDF
    wm::cli::setStatementWriter(&wm::cli::writeStatementThroughModule);
#endif
    std::vector<std::string> args(argv, argv + argc);
    return wm::cli::run(args, in, out, std::cerr, isatty(STDERR_FILENO) != 0);
}
