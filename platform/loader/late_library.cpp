#include "platform/loader/late_library.h"

#include <QStringList>
#include <cstdlib>
#include <dlfcn.h>

LateLibrary::LateLibrary(const std::vector<const char *> &sonames, const char *overrideVariable,
                         const std::vector<const char *> &functions)
{
    QStringList tried;
    void *handle = nullptr;
    const char *named = std::getenv(overrideVariable);
    const std::vector<const char *> names = named && *named ? std::vector<const char *>{named} : sonames;
    for (const char *name : names) {
        // Never closed: the functions are used until the program ends.
        handle = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (handle)
            break;
        tried << QString::fromLocal8Bit(name);
    }
    if (!handle) {
        m_problem = QStringLiteral("%1 could not be loaded").arg(tried.join(QStringLiteral(", ")));
        return;
    }
    std::vector<void *> found;
    for (const char *name : functions) {
        found.push_back(::dlsym(handle, name));
        if (!found.back()) {
            m_problem = QStringLiteral("the library on this system lacks %1").arg(QString::fromLatin1(name));
            return;
        }
    }
    m_functions = std::move(found);
}
