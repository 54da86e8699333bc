#include "platform/player/dvd_sector_stream.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <dvdread/dvd_reader.h>

namespace {

void Quiet(void *, dvd_logger_level_t, const char *, va_list) {}
const dvd_logger_cb kQuietLogger{Quiet};

} // namespace

struct DvdSectorStream::Disc {
    dvd_reader_t *reader = nullptr;
    dvd_file_t *vobs = nullptr;
    ~Disc()
    {
        if (vobs)
            DVDCloseFile(vobs);
        if (reader)
            DVDClose(reader);
    }
};

DvdSectorStream::DvdSectorStream(const VtsLocation &location)
    : m_location(location), m_disc(std::make_unique<Disc>()), m_chunk(size_t(kChunkSectors * kSectorBytes))
{
    const QByteArray folder = QFile::encodeName(location.folder);
    // libdvdread keeps memory it took for a path it cannot find: such a path is not handed to it.
    if (QFileInfo::exists(location.folder))
        m_disc->reader = DVDOpen2(nullptr, &kQuietLogger, folder.constData());
    if (!m_disc->reader)
        throw DvdStreamError(QStringLiteral("No DVD can be read in %1.").arg(location.folder));
    m_disc->vobs = DVDOpenFile(m_disc->reader, location.titleSet, DVD_READ_TITLE_VOBS);
    if (!m_disc->vobs)
        throw DvdStreamError(
            QStringLiteral("Title set %1 of the DVD in %2 cannot be read.").arg(location.titleSet).arg(location.folder));
    if (!fill(0))
        throw DvdStreamError(m_readError);
}

DvdSectorStream::~DvdSectorStream() = default;

bool DvdSectorStream::fill(int64_t sector)
{
    const int64_t count = std::min<int64_t>(kChunkSectors, m_location.sectorCount() - sector);
    const int64_t first = m_location.startSector + sector;
    const ssize_t got = DVDReadBlocks(m_disc->vobs, int(first), size_t(count), m_chunk.data());
    if (got != count) {
        m_chunkSector = -1;
        m_readError = QStringLiteral("The sectors %1 to %2 of title set %3 of the DVD in %4 cannot be read.")
                          .arg(first)
                          .arg(first + count - 1)
                          .arg(m_location.titleSet)
                          .arg(m_location.folder);
        return false;
    }
    m_chunkSector = sector;
    m_chunkSectors = count;
    return true;
}

int64_t DvdSectorStream::read(char *buffer, uint64_t bytes)
{
    if (m_position >= size())
        return 0;
    const int64_t sector = m_position / kSectorBytes;
    if (m_chunkSector < 0 || sector < m_chunkSector || sector >= m_chunkSector + m_chunkSectors) {
        if (!fill(sector))
            return -1;
    }
    const int64_t offset = m_position - m_chunkSector * kSectorBytes;
    const int64_t available = m_chunkSectors * kSectorBytes - offset;
    const int64_t n = std::min<int64_t>(available, int64_t(std::min<uint64_t>(bytes, uint64_t(INT64_MAX))));
    std::memcpy(buffer, m_chunk.data() + offset, size_t(n));
    m_position += n;
    return n;
}

int64_t DvdSectorStream::seek(int64_t offset)
{
    if (offset < 0 || offset > size())
        return -1;
    m_position = offset;
    return m_position;
}
