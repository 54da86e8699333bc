// Checks a skin file against what the program's windows need of it:
//   skincheck <skin file> <section>
// Exit code 0 when the section serves, 1 when something is missing (one line
// each), 2 when the file cannot be read or parsed or the arguments are wrong.

#include "platform/skin/required_objects.h"
#include "platform/skin/skin_error.h"
#include "platform/skin/skin_file.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skincheck <skin file> <section>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString section = QString::fromLocal8Bit(argv[2]);
    SkinFile file;
    try {
        file = ReadSkinFile(path);
    } catch (const SkinError &e) {
        std::fprintf(stderr, "skincheck: %s\n", e.what());
        return 2;
    }
    const QStringList problems = CheckSkinSection(file, section);
    for (const QString &problem : problems)
        std::printf("%s: %s\n", qPrintable(path), qPrintable(problem));
    if (!problems.isEmpty())
        return 1;
    std::printf("%s: section \"%s\" serves (%zu objects)\n", qPrintable(path), qPrintable(section),
                file.section(section)->objects.size());
    return 0;
}
