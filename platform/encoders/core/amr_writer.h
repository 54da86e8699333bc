#pragma once

// An AMR-NB file ("#!AMR\n" and 20 ms frames) encoded with libopencore-amrnb
// from 8 kHz mono signed 16-bit PCM, which Debian's ffmpeg cannot encode.

#include <cstddef>
#include <string>

class AmrWriter {
public:
    // Opens path (replacing it when overwrite is set, refusing otherwise) and
    // writes the header. Throws std::runtime_error when it cannot.
    AmrWriter(const std::string &path, bool overwrite, int bitrate);
    ~AmrWriter();
    AmrWriter(const AmrWriter &) = delete;
    AmrWriter &operator=(const AmrWriter &) = delete;

    // PCM bytes in any pieces.
    void write(const char *pcm, size_t size);
    // Encodes what is left, padded with silence to a whole frame, and closes the file.
    void finish();

    // The encoder mode for a bitrate in bit/s: the highest mode not above it
    // (4750 below the lowest).
    static int ModeFor(int bitrate);

private:
    void encodeFrame();

    int m_fd = -1;
    void *m_encoder = nullptr;
    int m_mode = 0;
    short m_frame[160] = {};
    size_t m_filled = 0; // bytes of m_frame
};
