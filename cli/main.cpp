#include <unistd.h>

#include <iostream>

#include "cli/cli.h"
#ifdef WAGEMARK_HAVE_PDF
#include "print/statement_pdf.h"
#endif

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
#ifdef WAGEMARK_HAVE_PDF
    wm::cli::setStatementWriter(&wm::writeStatementPdf);
#endif
    std::vector<std::string> args(argv, argv + argc);
    return wm::cli::run(args, std::cin, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}
