#pragma once

// A shared library opened by name when the program first needs it instead of
// linked into it: libraries that bring many others of their own would make
// every start pay for them. All the functions a caller uses are looked up at
// once, so that a library too old to have one of them is refused whole.

#include <QString>

#include <vector>

class LateLibrary {
public:
    // sonames: tried in order; a non-empty value of the environment variable
    // overrideVariable names the library file to open instead.
    LateLibrary(const std::vector<const char *> &sonames, const char *overrideVariable,
                const std::vector<const char *> &functions);

    // The address of the function at that place of the list; null when the
    // library could not be used.
    void *function(int at) const { return m_functions.empty() ? nullptr : m_functions[size_t(at)]; }
    // Why the library cannot be used; empty when it can.
    const QString &problem() const { return m_problem; }

private:
    std::vector<void *> m_functions;
    QString m_problem;
};
