#include "disc/bluray_titles.h"

#include "disc/ifo_titles.h"
#include "engine/engine_state.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "platform/bluray/playlist_parser.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <optional>

namespace {

const QString kBdmv = QStringLiteral("bdmv");
const QString kPlaylist = QStringLiteral("playlist");
const QString kStream = QStringLiteral("stream");
const QString kPlaylistExtension = QStringLiteral(".mpls");
const QString kClipExtension = QStringLiteral(".m2ts");

QString WithSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

void PumpTwice(const std::function<void()> &pumpMessages)
{
    if (pumpMessages) {
        pumpMessages();
        pumpMessages();
    }
}

// Linux lists a folder in no particular order; the entries are taken by name
// so that the same disc always gives the same rows.
QFileInfoList EntriesByName(const QString &folder)
{
    return QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name | QDir::IgnoreCase);
}

// The real name of the subfolder of `folder` whose lower-cased name is `lower`.
QString SubfolderNamed(const QString &folder, const QString &lower)
{
    for (const QFileInfo &entry : EntriesByName(folder))
        if (entry.isDir() && entry.fileName().toLower() == lower)
            return entry.fileName();
    return {};
}

bool IsPlaylistFile(const QFileInfo &entry)
{
    return entry.isFile() && entry.fileName().toLower().endsWith(kPlaylistExtension);
}

// The folder cut after its deepest folder named "bdmv": the BDMV folder of the
// disc the folder lies in. A name that merely holds the letters is no BDMV.
QString CutToBdmv(const QString &folder)
{
    const QStringList names = QDir::cleanPath(folder).split(u'/');
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        if (names.at(i).toLower() == kBdmv)
            return names.mid(0, i + 1).join(u'/');
    return folder;
}

// The clip files beside a playlist folder: <disc>/BDMV/STREAM/<name>.m2ts,
// every name as the disc spells it.
class ClipFolder {
public:
    explicit ClipFolder(const QString &playlistFolder)
    {
        QDir disc(playlistFolder);
        disc.cdUp();
        const QString stream = SubfolderNamed(disc.path(), kStream);
        m_folder = WithSlash(disc.filePath(stream.isEmpty() ? QStringLiteral("STREAM") : stream));
        if (!stream.isEmpty())
            for (const QFileInfo &entry : EntriesByName(m_folder))
                m_names.insert(entry.fileName().toLower(), entry.fileName());
    }

    QString clipPath(const QString &clip) const
    {
        const QString name = clip + kClipExtension;
        return m_folder + m_names.value(name.toLower(), name);
    }

private:
    QString m_folder;
    QHash<QString, QString> m_names;
};

// A clip name that could lead out of the clip folder names no clip.
bool IsClipName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && name != u"." && name != u"..";
}

template <size_t N>
QString BufferText(const char (&buffer)[N])
{
    return QString::fromLatin1(buffer, qsizetype(qstrnlen(buffer, N)));
}

// Fills the clips of the current playlist into `info`; false when a clip has
// no usable name. The same clip twice in a row: the playlist becomes that
// clip alone, with its share of the time.
bool ReadClips(PlaylistParser &parser, const ClipFolder &clips, int count, TBlurayinfo &info)
{
    info.lastClipIndex = count - 1;
    for (int i = 0; i < count; ++i) {
        char name[6];
        int32_t value = 0;
        parser.GetM2TS(i, name, &value);
        const QString clip = BufferText(name);
        if (!IsClipName(clip))
            return false;
        const QString path = clips.clipPath(clip);
        if (i > 0 && path == info.clipPaths.last()) {
            info.duration /= count;
            info.clipPaths = {path};
            info.clipValues = {value};
            info.lastClipIndex = 0;
            break;
        }
        info.clipPaths << path;
        info.clipValues << value;
    }
    return true;
}

void ReadVideos(PlaylistParser &parser, int count, TBlurayinfo &info)
{
    info.lastVideoIndex = count - 1;
    for (int i = 0; i < count; ++i) {
        int32_t v1 = 0, v2 = 0, v3 = 0;
        parser.GetVideo(i, &v1, &v2, &v3);
        info.videoValues1 << v1;
        info.videoValues2 << v2;
        info.videoValues3 << v3;
    }
}

struct StreamFields {
    int32_t &lastIndex;
    QVector<int32_t> &values1;
    QVector<int32_t> &values2;
    QStringList &languages;
};

template <typename Get>
void ReadStreams(int count, const Get &get, const std::function<QString(const QString &)> &languageName,
                 StreamFields fields)
{
    fields.lastIndex = count - 1;
    for (int i = 0; i < count; ++i) {
        int32_t v1 = 0, v2 = 0;
        char code[4];
        get(i, &v1, &v2, code);
        fields.values1 << v1;
        fields.values2 << v2;
        const QString text = BufferText(code);
        fields.languages << (languageName ? languageName(text) : text);
    }
}

// One playlist file read through the parser; nothing when it cannot be used
// or is too short.
std::optional<TBlurayinfo> ReadPlaylist(const BlurayReadTarget &target, const ClipFolder &clips, const QString &path)
{
    PlaylistParser &parser = target.parser;
    int32_t seconds = 0, videos = 0, audios = 0, subtitles = 0;
    const int count = parser.ParserFile(path, &seconds, &videos, &audios, &subtitles);
    TBlurayinfo info;
    info.duration = seconds;
    const bool usable = count >= 1 && seconds >= kMinPlaylistSeconds && ReadClips(parser, clips, count, info);
    if (!usable) {
        parser.EndParser();
        return std::nullopt;
    }
    ReadVideos(parser, std::max(0, videos), info);
    ReadStreams(
        std::max(0, audios),
        [&parser](int i, int32_t *v1, int32_t *v2, char(&code)[4]) { parser.GetAudio(i, v1, v2, code); },
        target.languageName, {info.lastAudioIndex, info.audioValues1, info.audioValues2, info.audioLanguages});
    ReadStreams(
        std::max(0, subtitles),
        [&parser](int i, int32_t *v1, int32_t *v2, char(&code)[4]) { parser.GetSub(i, v1, v2, code); },
        target.languageName,
        {info.lastSubtitleIndex, info.subtitleValues1, info.subtitleValues2, info.subtitleLanguages});
    parser.EndParser();
    info.audioChoice = 0;
    info.subtitleChoice = 0;
    info.place = -1;
    return info;
}

// Place of each playlist: how many are at least as long, less one. Equal
// lengths share the last place their group spans.
void SetPlaces(QVector<TBlurayinfo> &accepted)
{
    for (TBlurayinfo &info : accepted) {
        const auto longer = std::count_if(accepted.cbegin(), accepted.cend(),
                                          [&info](const TBlurayinfo &other) { return other.duration >= info.duration; });
        info.place = int32_t(longer) - 1;
    }
}

// For each place in turn, the first playlist that holds it: of equal lengths
// only the one read first is listed.
QVector<int> ListedOrder(const QVector<TBlurayinfo> &accepted)
{
    QVector<int> order;
    for (int k = 0; k < accepted.size(); ++k) {
        const auto it = std::find_if(accepted.cbegin(), accepted.cend(),
                                     [k](const TBlurayinfo &info) { return info.place == k; });
        if (it != accepted.cend())
            order << int(it - accepted.cbegin());
    }
    return order;
}

void AppendRow(const BlurayReadTarget &target, const TBlurayinfo &playlist)
{
    SourceList &list = target.list;
    const int r = list.rowCount();
    SourceRow row;
    row.caption = QStringLiteral("Title_") + TwoDigitNumber(r + 1);
    row.subItems[SourceRow::OriginalTime] = SecondsToHms(playlist.duration);
    row.subItems[SourceRow::ConversionTime] = SecondsToHms(playlist.duration);
    row.subItems[SourceRow::Status] = target.statusText;
    row.checked = false;
    list.appendRow(row);
    list.sizeArraysToRows();

    // Records a row of an earlier list left behind are not this row's.
    ClipRange &clip = list.clipRanges()[r];
    clip = ClipRange{};
    clip.clipBegin = 0;
    clip.clipEnd = playlist.duration;
    clip.flag = 1;
    Toriginalinfo &info = list.originalInfo()[r];
    info = Toriginalinfo{};
    info.frameSize = QStringLiteral("1920x1080");
    info.duration = SecondsToHms(playlist.duration);
    info.path = playlist.clipPaths.value(0);

    target.engine.currentEstimateRow = r;
    if (target.estimatedSize)
        list.setSubItem(r, SourceRow::OutputSize, target.estimatedSize(playlist.duration));
}

} // namespace

QString FindPlaylistFolder(const QString &folder, const std::function<void()> &pumpMessages)
{
    const QString root = WithSlash(CutToBdmv(folder));
    for (const QFileInfo &entry : EntriesByName(root)) {
        PumpTwice(pumpMessages);
        const QString lower = entry.fileName().toLower();
        if (IsPlaylistFile(entry))
            return root;
        if (entry.isDir() && lower == kPlaylist)
            return root + entry.fileName() + u'/';
        if (entry.isDir() && lower == kBdmv) {
            const QString bdmv = root + entry.fileName();
            const QString playlist = SubfolderNamed(bdmv, kPlaylist);
            return playlist.isEmpty() ? QString() : bdmv + u'/' + playlist + u'/';
        }
    }
    return {};
}

int CompareBluRayTitle(const QVector<TBlurayinfo> &accepted, const TBlurayinfo &playlist)
{
    int result = 0;
    for (const TBlurayinfo &a : accepted) {
        if (a.clipPaths.value(0) != playlist.clipPaths.value(0))
            continue;
        if (a.audioChoice != playlist.audioChoice || a.subtitleChoice != playlist.subtitleChoice ||
            a.lastClipIndex != playlist.lastClipIndex)
            return 0;
        if (a.clipPaths == playlist.clipPaths)
            result = a.duration > playlist.duration ? 1 : 2;
    }
    return result;
}

void LoadBluRayTitles(const QString &folder, const BlurayReadTarget &target, QVector<TBlurayinfo> &titles)
{
    const QString playlistFolder = FindPlaylistFolder(folder, target.pumpMessages);
    if (playlistFolder.isEmpty())
        return;
    const ClipFolder clips(playlistFolder);

    QVector<TBlurayinfo> accepted;
    for (const QFileInfo &entry : EntriesByName(playlistFolder)) {
        PumpTwice(target.pumpMessages);
        if (!IsPlaylistFile(entry))
            continue;
        std::optional<TBlurayinfo> playlist = ReadPlaylist(target, clips, entry.filePath());
        if (playlist && CompareBluRayTitle(accepted, *playlist) == 0)
            accepted << std::move(*playlist);
    }
    SetPlaces(accepted);
    const QVector<int> order = ListedOrder(accepted);
    if (order.isEmpty())
        return;
    titles.clear();

    // The rows are numbered from 0: the disc replaces what the list held.
    target.list.clear();
    for (int i : order) {
        AppendRow(target, accepted.at(i));
        titles << accepted.at(i);
    }
    target.list.selectOnly(0);
    target.list.setChecked(0, true);
    target.engine.sourceMode = SourceMode::FileRows;
    if (target.lvClick)
        target.lvClick();
}
