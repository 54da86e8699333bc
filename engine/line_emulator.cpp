#include "engine/line_emulator.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

enum class Kind : unsigned char { Ordinary, Blank, Backspace, Tab, CarriageReturn, LineFeed };

constexpr std::array<Kind, 256> MakeKinds()
{
    std::array<Kind, 256> kinds{};
    kinds.fill(Kind::Ordinary);
    kinds[0] = Kind::Blank;
    kinds[7] = Kind::Blank;
    kinds[8] = Kind::Backspace;
    kinds[9] = Kind::Tab;
    kinds[10] = Kind::LineFeed;
    kinds[13] = Kind::CarriageReturn;
    return kinds;
}

constexpr std::array<Kind, 256> kKinds = MakeKinds();

Kind KindOf(char c) { return kKinds[static_cast<unsigned char>(c)]; }

constexpr char kEightBlanks[] = "        ";

} // namespace

LineEmulator::LineEmulator(Report report) : m_report(std::move(report)) {}

void LineEmulator::write(QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qsizetype n = std::min(bytes.size(), kPortionSize);
        writePortion(bytes.first(n));
        bytes = bytes.sliced(n);
    }
}

void LineEmulator::finish()
{
    if (!m_line.isEmpty())
        report(false);
}

void LineEmulator::reset()
{
    m_line.clear();
    m_cursor = 0;
    m_lastFinished = true;
}

void LineEmulator::writePortion(QByteArrayView portion)
{
    const char *p = portion.data();
    const char *const end = p + portion.size();
    while (p < end) {
        switch (KindOf(*p)) {
        case Kind::Ordinary: {
            const char *run = p + 1;
            while (run < end && KindOf(*run) == Kind::Ordinary)
                ++run;
            put(p, run - p);
            p = run;
            continue;
        }
        case Kind::Blank:
            put(kEightBlanks, 1);
            break;
        case Kind::Tab:
            put(kEightBlanks, 8);
            break;
        case Kind::Backspace:
            if (m_cursor > 0)
                --m_cursor;
            break;
        case Kind::CarriageReturn:
            m_cursor = 0;
            break;
        case Kind::LineFeed:
            report(true);
            m_line.resize(0);
            m_cursor = 0;
            break;
        }
        ++p;
    }
    report(false);
}

void LineEmulator::put(const char *bytes, qsizetype count)
{
    while (count > 0) {
        if (m_cursor >= kMaxLineLength) {
            report(true);
            m_line.resize(0);
            m_cursor = 0;
        }
        const qsizetype n = std::min(count, kMaxLineLength - m_cursor);
        if (m_cursor + n > m_line.size())
            m_line.resize(m_cursor + n);
        std::memcpy(m_line.data() + m_cursor, bytes, size_t(n));
        m_cursor += n;
        bytes += n;
        count -= n;
    }
}

void LineEmulator::report(bool finishesLine)
{
    const bool startsOnNewLine = m_lastFinished;
    m_lastFinished = finishesLine;
    m_report(QByteArrayView(m_line), startsOnNewLine);
}
