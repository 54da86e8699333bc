#include "platform/encoders/core/amr_writer.h"

#include <opencore-amrnb/interf_enc.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::pair<int, Mode> kModes[] = {
    {12200, MR122}, {10200, MR102}, {7950, MR795}, {7400, MR74},
    {6700, MR67},   {5900, MR59},   {5150, MR515}, {4750, MR475},
};

void WriteAll(int fd, const void *data, size_t size)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error(std::string("cannot write the AMR file: ") + std::strerror(errno));
        p += n;
        size -= size_t(n);
    }
}

} // namespace

int AmrWriter::ModeFor(int bitrate)
{
    for (const auto &[rate, mode] : kModes) {
        if (bitrate >= rate)
            return mode;
    }
    return MR475;
}

AmrWriter::AmrWriter(const std::string &path, bool overwrite, int bitrate) : m_mode(ModeFor(bitrate))
{
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (overwrite ? O_TRUNC : O_EXCL);
    m_fd = ::open(path.c_str(), flags, 0666);
    if (m_fd < 0)
        throw std::runtime_error(std::string("cannot create the output file: ") + std::strerror(errno));
    m_encoder = Encoder_Interface_init(0);
    if (!m_encoder)
        throw std::runtime_error("the AMR-NB encoder cannot start");
    WriteAll(m_fd, "#!AMR\n", 6);
}

AmrWriter::~AmrWriter()
{
    if (m_encoder)
        Encoder_Interface_exit(m_encoder);
    if (m_fd >= 0)
        ::close(m_fd);
}

void AmrWriter::write(const char *pcm, size_t size)
{
    char *frame = reinterpret_cast<char *>(m_frame);
    while (size > 0) {
        const size_t n = std::min(size, sizeof m_frame - m_filled);
        std::memcpy(frame + m_filled, pcm, n);
        m_filled += n;
        pcm += n;
        size -= n;
        if (m_filled == sizeof m_frame)
            encodeFrame();
    }
}

void AmrWriter::finish()
{
    if (m_filled > 0) {
        std::memset(reinterpret_cast<char *>(m_frame) + m_filled, 0, sizeof m_frame - m_filled);
        encodeFrame();
    }
    if (m_fd >= 0 && ::close(m_fd) != 0) {
        m_fd = -1;
        throw std::runtime_error(std::string("cannot write the AMR file: ") + std::strerror(errno));
    }
    m_fd = -1;
}

void AmrWriter::encodeFrame()
{
    unsigned char out[64];
    const int n = Encoder_Interface_Encode(m_encoder, Mode(m_mode), m_frame, out, 0);
    if (n > 0)
        WriteAll(m_fd, out, size_t(n));
    m_filled = 0;
}
