#include "cli/statement_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <mutex>

namespace wm::cli {

std::vector<std::string> statementModulePaths()
{
    char exe[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return {};
    std::string dir(exe, static_cast<std::size_t>(n));
    dir.erase(dir.rfind('/') + 1);
    return {dir + kStatementModule, dir + "../" WAGEMARK_MODULE_DIR "/" + kStatementModule};
}

StatementWriter loadStatementWriter(const std::vector<std::string>& paths, std::string& error)
{
    error = paths.empty() ? "the program's own folder is not known" : "";
    for (const std::string& path : paths) {
        // Only the first one tried that exists tells why it did not load.
        if (::access(path.c_str(), F_OK) != 0) {
            if (error.empty()) error = path + " is missing";
            continue;
        }
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            error = ::dlerror();
            return nullptr;
        }
        if (void* entry = ::dlsym(module, "wagemark_write_statement_pdf"))
            return reinterpret_cast<StatementWriter>(entry);
        error = path + " has no statement writer";
        ::dlclose(module);
        return nullptr;
    }
    return nullptr;
}

bool writeStatementThroughModule(const PayRecord& record, SettingsStore& settings, const std::string& path,
                                 std::string& error)
{
    static std::once_flag once;
    static StatementWriter writer = nullptr;
    static std::string why;
    std::call_once(once, [] { writer = loadStatementWriter(statementModulePaths(), why); });
    if (!writer) {
        error = "the pay statement was not written to " + path + ": PDF output could not be loaded (" + why + ")";
        return false;
    }
    return writer(record, settings, path, error);
}

}  // namespace wm::cli
