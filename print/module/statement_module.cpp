// The pay statement writer as a module of its own, loaded by the
// command-line tool on its first statement: the tool then starts (and runs
// a batch) without loading Qt. The one symbol it exports has the writer's
// signature.
#include "print/render/statement_pdf.h"

extern "C" [[gnu::visibility("default")]] bool wagemark_write_statement_pdf(const wm::PayRecord& record,
                                                                          wm::SettingsStore& settings,
                                                                          const std::string& path, std::string& error)
{
    return wm::writeStatementPdf(record, settings, path, error);
}
