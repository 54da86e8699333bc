#include "engine/profile_catalogue.h"

#include "engine/profile_captions.h"
#include "engine/profile_number.h"
#include "engine/quality_file.h"
#include "engine/size_estimate.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <utility>

namespace {

QString noVideoText(const LugLookup &lug)
{
    return LugText(lug, QStringLiteral("Add"), QStringLiteral("No Video"), QStringLiteral("No Video"));
}

[[noreturn]] void fail(const QString &path, int n, int line, const QString &what)
{
    throw ProfileFileError(QStringLiteral("%1, profile %2, line %3: %4")
                               .arg(QFileInfo(path).fileName())
                               .arg(n)
                               .arg(line)
                               .arg(what)
                               .toStdString());
}

// Items separated by single blanks, nothing before the first or after the last.
bool singleBlankSeparated(const QString &line)
{
    return !line.startsWith(u' ') && !line.endsWith(u' ') && !line.contains(QStringLiteral("  "));
}

void checkSizes(const QString &path, int n, int line, const QString &sizes)
{
    static const QRegularExpression item(QStringLiteral("^0*[1-9][0-9]{0,4}x0*[1-9][0-9]{0,4}(\\([^() ]*\\))?$"));
    if (sizes.isEmpty())
        return;
    if (!singleBlankSeparated(sizes))
        fail(path, n, line, QStringLiteral("frame sizes must be separated by single blanks: \"%1\"").arg(sizes));
    for (const QString &s : sizes.split(u' '))
        if (!item.match(s).hasMatch())
            fail(path, n, line, QStringLiteral("\"%1\" is not a frame size WxH").arg(s));
}

void checkRates(const QString &path, int n, int line, const QString &rates)
{
    if (rates.isEmpty() || rates == u"*")
        return;
    if (!singleBlankSeparated(rates))
        fail(path, n, line, QStringLiteral("video rates must be separated by single blanks: \"%1\"").arg(rates));
    const QStringList values = rates.split(u' ');
    if (values.size() > 5)
        fail(path, n, line, QStringLiteral("more than five video rates: \"%1\"").arg(rates));
    for (const QString &v : values) {
        bool ok = false;
        const int kbps = v.toInt(&ok);
        if (!ok || kbps <= 0 || v.startsWith(u'+'))
            fail(path, n, line, QStringLiteral("video rate \"%1\" is not a number of kbit/s").arg(v));
    }
}

} // namespace

ProfileGroup ReadProfileGroup(const QString &path, int n)
{
    if (n < kFirstProfileNumber || n > kLastProfileNumber)
        throw ProfileFileError(QStringLiteral("%1: no profile %2").arg(QFileInfo(path).fileName()).arg(n).toStdString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = file.exists() ? file.errorString() : QStringLiteral("File not found");
        throw ProfileFileError(QStringLiteral("Cannot open \"%1\". %2").arg(path, reason).toStdString());
    }
    const int first = 4 * n - 3; // 0-based line of the frame sizes
    QString lines[3];
    int k = 0;
    for (; k <= first + 2 && !file.atEnd(); ++k) {
        QByteArray bytes = file.readLine();
        if (bytes.isEmpty() && file.error() != QFileDevice::NoError)
            throw ProfileFileError(QStringLiteral("Read error in \"%1\". %2").arg(path, file.errorString()).toStdString());
        if (k < first)
            continue;
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        lines[k - first] = QString::fromUtf8(bytes);
    }
    if (k <= first + 2)
        fail(path, n, k + 1, QStringLiteral("the file ends before the profile's four lines (%1 to %2)")
                                 .arg(first)
                                 .arg(first + 3));
    checkSizes(path, n, first + 1, lines[0]);
    checkRates(path, n, first + 2, lines[1]);
    return ProfileGroup{lines[0], lines[1], lines[2]};
}

QStringList SplitProfileItems(const QString &line)
{
    QStringList items;
    qsizetype from = 0;
    for (;;) {
        const qsizetype blank = line.indexOf(u' ', from);
        if (blank < 0) {
            if (line.size() - from >= 2)
                items << line.mid(from);
            return items;
        }
        if (blank == from)
            return items;
        items << line.mid(from, blank - from);
        from = blank + 1;
    }
}

void FillSizeList(const QString &line, int profile, SettingsModel &settings, const LugLookup &lug)
{
    QStringList items = IsDiscTarget(profile) ? QStringList{QStringLiteral("PAL"), QStringLiteral("NTSC")}
                                              : SplitProfileItems(line);
    const bool noVideo = items.isEmpty();
    if (noVideo)
        items << noVideoText(lug);
    settings.cb_size.SetItems(items);
    if (noVideo)
        settings.cb_size.SetItemIndex(0);
}

void ParseVideoBitrateList(const QString &line, EngineState &state)
{
    const QStringList values = SplitProfileItems(line);
    for (int i = 0; i < values.size() && i < 5; ++i)
        state.videoRateSlots[4 - i] = values.at(i);
}

ProfileCatalogue::ProfileCatalogue(EngineState &state, SettingsModel &settings, QString exeDir, LugLookup lug,
                                   ProfileCaptionDisplay &display, EstimateRows &rows)
    : m_state(state), m_settings(settings), m_exeDir(std::move(exeDir)), m_lug(std::move(lug)),
      m_display(display), m_rows(rows)
{
}

QString ProfileCatalogue::catalogueFile() const { return m_exeDir + QStringLiteral("/profiles.pop"); }

void ProfileCatalogue::SelectProfile(int n)
{
    try {
        select(n);
    } catch (...) {
        // Once running, the profile on screen stays the one jobs are built for,
        // even when the caller set the current profile beforehand. At start-up
        // the stored number is kept, so the exit writes it back unchanged.
        if (m_state.settingsLoaded)
            m_state.currentProfile = m_state.appliedProfile;
        throw;
    }
}

void ProfileCatalogue::select(int n)
{
    // Everything that can fail comes before the first change.
    const ProfileGroup group = ReadProfileGroup(catalogueFile(), n);
    if (m_state.settingsLoaded)
        SaveProfileQuality(m_quality, m_state.appliedProfile, m_settings);
    const int previous = m_state.currentProfile;
    m_state.currentProfile = n;
    try {
        ShowProfileCaption(m_state, m_exeDir, n, m_display);
    } catch (...) {
        m_state.currentProfile = previous;
        throw;
    }

    FillSizeList(group.sizes, n, m_settings, m_lug);
    applyRates(group.rates);
    m_state.profileOptionString = group.options;
    m_state.currentJob.profileOptions = group.options;
    fillChannelList();
    LoadProfileQuality(m_quality, n, m_settings);
    m_state.appliedProfile = n;
    UpdateAllEstimatedSizes(m_state, m_settings, m_rows);
}

void ProfileCatalogue::applyRates(const QString &line)
{
    ComboModel &video = m_settings.cb_videobitrate;
    const bool discTarget = IsDiscTarget(m_state.currentProfile);
    for (ComboModel *list : {&video, &m_settings.cb_audiobitrate, &m_settings.cb_channel})
        list->SetEnabled(!discTarget);
    if (discTarget) {
        // PAL or NTSC stays open to the user, also after an audio-only profile.
        m_settings.cb_size.SetEnabled(true);
        return;
    }
    const QString noVideo = noVideoText(m_lug);
    if (line == u"*" && m_settings.cb_size.Count() == 1) {
        m_state.videoRateSlots[0] = QStringLiteral("*");
        // One "No Video" item at most, however many audio-only profiles follow each other.
        qsizetype at = video.Items().indexOf(noVideo);
        if (at < 0) {
            video.Add(noVideo);
            at = video.Count() - 1;
        }
        video.SetItemIndex(int(at));
        m_settings.cb_size.SetEnabled(false);
        video.SetEnabled(false);
        return;
    }
    m_settings.cb_size.SetEnabled(true);
    video.SetEnabled(true);
    for (qsizetype at; (at = video.Items().indexOf(noVideo)) >= 0;)
        video.Delete(int(at));
    ParseVideoBitrateList(line, m_state);
}

void ProfileCatalogue::fillChannelList()
{
    const QString ext = GetProfileExtension(m_state);
    QStringList items;
    if (ext == u".avi" || ext == u".mkv") {
        const QString section = QStringLiteral("channel");
        items << LugText(m_lug, section, QStringLiteral(" Mono"), QStringLiteral(" Mono"))
              << LugText(m_lug, section, QStringLiteral("Stereo"), QStringLiteral("Stereo"))
              << LugText(m_lug, section, QStringLiteral("6 Channel"), QStringLiteral("6 Channel"));
    } else {
        items << QStringLiteral("Mono") << QStringLiteral("Stereo");
    }
    m_settings.cb_channel.SetItems(items);
}
