#include "platform/encoders/mydvd/dvd_title_set.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>
#include <stdint.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>

namespace {

constexpr uint32_t kSubpicturePresent = 0x80000000u;
constexpr uint16_t kAudioPresent = 0x8000u;

// The first stream id of each audio coding of the IFO's attributes; -1 for
// codings a DVD-Video title does not carry.
int AudioIdBase(unsigned format)
{
    switch (format) {
    case 0: return 0x80; // AC-3
    case 2:
    case 3: return 0xc0; // MPEG-1, MPEG-2
    case 4: return 0xa0; // LPCM
    case 6: return 0x88; // DTS
    default: return -1;
    }
}

void OnLibraryMessage(void *self, dvd_logger_level_t level, const char *format, va_list args)
{
    if (level != DVD_LOGGER_LEVEL_ERROR)
        return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    static_cast<DvdTitleSet *>(self)->noteLibraryMessage(text);
}

const dvd_logger_cb kLogger{OnLibraryMessage};

dvd_reader_t *Reader(void *p) { return static_cast<dvd_reader_t *>(p); }
dvd_file_t *File(void *p) { return static_cast<dvd_file_t *>(p); }

// An IFO name of a DVD (VIDEO_TS.IFO, VTS_01_0.IFO) in the folder, in any case.
bool HoldsDvdFiles(const QString &folder)
{
    const QStringList files = QDir(folder).entryList(QDir::Files);
    for (const QString &name : files) {
        const QString upper = name.toUpper();
        if (upper == QLatin1String("VIDEO_TS.IFO") || (upper.startsWith(QLatin1String("VTS_")) && upper.endsWith(QLatin1String("_0.IFO"))))
            return true;
    }
    return false;
}

std::string Quoted(const QString &path) { return "\"" + path.toStdString() + "\""; }

// libdvdread opens the disc's files with a plain open(), which never returns
// for a FIFO without a writer and reads a device without end: every file of
// the disc must be a regular file (or a link to one) before it is opened.
void RequireRegularFiles(const QString &folder)
{
    static const QRegularExpression kDiscFile(QStringLiteral("^(VIDEO_TS|VTS_[0-9]{2}_[0-9])\\.(IFO|BUP|VOB)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        if (!kDiscFile.match(name).hasMatch())
            continue;
        struct stat info {};
        if (::stat(QFile::encodeName(dir.filePath(name)).constData(), &info) != 0 || !S_ISREG(info.st_mode))
            throw DvdError(Quoted(dir.filePath(name)) + " is not a regular file: the DVD cannot be read");
    }
}

} // namespace

std::string TitleSetText(int number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

QString DiscFilesFolder(const QString &folder)
{
    QStringList found = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    found.removeIf([](const QString &name) { return name.compare(u"video_ts", Qt::CaseInsensitive) != 0; });
    if (found.isEmpty())
        return folder;
    // The spelling libdvdread itself looks for first, should a copy hold two.
    const QString chosen = found.contains(QStringLiteral("VIDEO_TS")) ? QStringLiteral("VIDEO_TS") : found.first();
    return QDir(folder).filePath(chosen);
}

DvdTitleSet::DvdTitleSet(const QString &folder, int titleSet) : m_number(titleSet)
{
    if (!QFileInfo(folder).isDir())
        throw DvdError("the disc folder " + Quoted(folder) + " does not exist");
    const QString files = DiscFilesFolder(folder);
    if (!HoldsDvdFiles(files))
        throw DvdError("there is no DVD in " + Quoted(folder) + ": no VIDEO_TS folder with IFO files");
    RequireRegularFiles(files);
    m_dvd = DVDOpen2(this, &kLogger, QFile::encodeName(files).constData());
    if (!m_dvd)
        throw DvdError(withLibraryMessage("libdvdread cannot open the DVD in " + Quoted(folder)));
    // libdvdread loads libdvdcss on opening when it is installed.
    if (void *css = ::dlopen("libdvdcss.so.2", RTLD_LAZY | RTLD_NOLOAD)) {
        m_canDecrypt = true;
        ::dlclose(css);
    }
    m_file = DVDOpenFile(Reader(m_dvd), titleSet, DVD_READ_TITLE_VOBS);
    if (!m_file) {
        DVDClose(Reader(m_dvd));
        throw DvdError("title set " + TitleSetText(titleSet) + " is not on the DVD in " + Quoted(folder) +
                       " (no VTS_" + TitleSetText(titleSet) + "_1.VOB)");
    }
    const ssize_t size = DVDFileSize(File(m_file));
    m_sectors = size > 0 ? uint32_t(size) : 0;
    readIfo();
}

DvdTitleSet::~DvdTitleSet()
{
    if (m_file)
        DVDCloseFile(File(m_file));
    if (m_dvd)
        DVDClose(Reader(m_dvd));
}

void DvdTitleSet::readIfo()
{
    ifo_handle_t *ifo = ifoOpen(Reader(m_dvd), m_number);
    if (!ifo)
        return; // the colours and the subtitle list are a help, not a need
    const bool wide = ifo->vtsi_mat && ifo->vtsi_mat->vts_video_attr.display_aspect_ratio != 0;
    const pgcit_t *chains = ifo->vts_pgcit;
    for (int i = 0; chains && i < chains->nr_of_pgci_srp; ++i) {
        const pgc_t *pgc = chains->pgci_srp[i].pgc;
        if (!pgc)
            continue;
        Chain chain;
        for (int c = 0; pgc->cell_playback && c < pgc->nr_of_cells; ++c)
            chain.cells.emplace_back(uint32_t(pgc->cell_playback[c].first_sector), uint32_t(pgc->cell_playback[c].last_sector));
        for (size_t c = 0; c < chain.palette.size(); ++c)
            chain.palette[c] = pgc->palette[c];
        m_chains.push_back(std::move(chain));
        for (int a = 0; ifo->vtsi_mat && a < ifo->vtsi_mat->nr_of_vts_audio_streams && a < 8; ++a) {
            const uint16_t control = pgc->audio_control[a];
            const int base = AudioIdBase(ifo->vtsi_mat->vts_audio_attr[a].audio_format);
            if ((control & kAudioPresent) && base >= 0)
                m_audio.insert(base + ((control >> 8) & 7));
        }
        // A stream's id for 4:3 pictures, or its ids for the wide, letterbox and pan-scan forms.
        for (const uint32_t control : pgc->subp_control) {
            if (!(control & kSubpicturePresent))
                continue;
            if (wide) {
                for (const int shift : {16, 8, 0})
                    m_subtitles.insert(0x20 + int((control >> shift) & 0x1f));
            } else {
                m_subtitles.insert(0x20 + int((control >> 24) & 0x1f));
            }
        }
    }
    ifoClose(ifo);
}

void DvdTitleSet::read(uint32_t first, uint32_t count, unsigned char *into)
{
    while (count > 0) {
        const ssize_t got = DVDReadBlocks(File(m_file), int(first), count, into);
        if (got <= 0)
            throw DvdError(withLibraryMessage("cannot read sector " + std::to_string(first) + " of title set " +
                                              TitleSetText(m_number) + ": the disc or its files are damaged"));
        first += uint32_t(got);
        count -= uint32_t(got);
        into += size_t(got) * 2048;
    }
}

std::vector<uint32_t> DvdTitleSet::palette(uint32_t sector) const
{
    if (m_chains.empty())
        return {};
    const auto plays = [sector](const Chain &chain) {
        for (const auto &[first, last] : chain.cells) {
            if (sector >= first && sector <= last)
                return true;
        }
        return false;
    };
    const auto found = std::find_if(m_chains.begin(), m_chains.end(), plays);
    const Chain &chosen = found != m_chains.end() ? *found : m_chains.front();
    return {chosen.palette.begin(), chosen.palette.end()};
}

std::string DvdTitleSet::withLibraryMessage(std::string text) const
{
    if (!m_lastMessage.empty())
        text += " (libdvdread: " + m_lastMessage + ")";
    return text;
}
