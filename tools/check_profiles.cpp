// Checks a profiles.pop: 131 four-line groups (524 lines), LF line ends only,
// "*" exactly on the audio-only profiles, five ascending kbit/s on the
// slot-rated ones, and enough frame sizes for each profile's default size.
// Usage: check_profiles <profiles.pop>; exit 0 when the file passes.

#include "engine/profile_catalogue.h"
#include "engine/profile_number.h"
#include "engine/quality_file.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>

namespace {

int problems = 0;

void report(int line, int profile, const QString &what)
{
    ++problems;
    std::fprintf(stderr, "profiles.pop line %d (profile %d): %s\n", line, profile, qPrintable(what));
}

bool ascendingRates(const QString &line)
{
    const QStringList values = line.split(u' ');
    if (values.size() != 5)
        return false;
    int previous = 0;
    for (const QString &v : values) {
        static const QRegularExpression digits(QStringLiteral("^[1-9][0-9]*$"));
        if (!digits.match(v).hasMatch() || v.toInt() <= previous)
            return false;
        previous = v.toInt();
    }
    return true;
}

void checkGroup(int n, const QStringList &g, int firstLine)
{
    const QString &sizes = g[1], &rates = g[2], &options = g[3];
    if (IsSeparator(n))
        return;
    if (IsAudioOnly(n)) {
        if (rates != u"*")
            report(firstLine + 2, n, QStringLiteral("an audio-only profile needs \"*\" as its rates, not \"%1\"").arg(rates));
        if (!sizes.isEmpty())
            report(firstLine + 1, n, QStringLiteral("an audio-only profile lists no frame sizes"));
    } else {
        if (rates == u"*")
            report(firstLine + 2, n, QStringLiteral("\"*\" on a profile with video"));
        else if (IsSlotRated(n) && !ascendingRates(rates))
            report(firstLine + 2, n, QStringLiteral("five ascending kbit/s expected, not \"%1\"").arg(rates));
        const int needed = DefaultSizeIndex(n) + 1;
        const int have = int(SplitProfileItems(sizes).size());
        if (have < needed || sizes.split(u' ').size() != have)
            report(firstLine + 1, n, QStringLiteral("%1 frame sizes separated by single blanks needed, \"%2\" gives %3")
                                         .arg(needed)
                                         .arg(sizes)
                                         .arg(have));
    }
    if (options.trimmed().isEmpty())
        report(firstLine + 3, n, QStringLiteral("no encoder options"));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_profiles <profiles.pop>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 2;
    }
    const QByteArray bytes = file.readAll();
    const int expectedLines = 4 * kLastProfileNumber;
    if (bytes.contains('\r'))
        report(int(bytes.left(bytes.indexOf('\r')).count('\n')) + 1, 0, QStringLiteral("carriage return in the file"));
    if (!bytes.endsWith('\n'))
        report(int(bytes.count('\n')) + 1, 0, QStringLiteral("the last line has no line end"));
    QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    if (bytes.endsWith('\n'))
        lines.removeLast();
    if (lines.size() != expectedLines)
        report(int(lines.size()), 0, QStringLiteral("%1 lines, %2 expected").arg(lines.size()).arg(expectedLines));
    for (int n = 1; n <= kLastProfileNumber && 4 * n <= lines.size(); ++n) {
        QStringList group = lines.mid(4 * n - 4, 4);
        for (QString &l : group)
            l.remove(u'\r');
        checkGroup(n, group, 4 * n - 3);
    }
    if (problems) {
        std::fprintf(stderr, "%d problem(s)\n", problems);
        return 1;
    }
    std::printf("%s: %d groups, %d profiles, all well-formed\n", argv[1], kLastProfileNumber, kProfileCount);
    return 0;
}
