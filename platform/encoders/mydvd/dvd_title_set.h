#pragma once

// One title set of a DVD folder or mounted disc, through libdvdread: the
// sectors of its title VOBs, and from its IFO the subpicture colours and the
// subtitle streams it lists. An encrypted disc is unscrambled by libdvdread
// when libdvdcss is installed.

#include <QString>

#include <array>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class DvdError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "01" for title set 1.
std::string TitleSetText(int number);

// The folder libdvdread opens for a disc folder: its VIDEO_TS folder,
// whatever the case of the name, else the folder itself (a copy with the
// IFO and VOB files directly inside).
QString DiscFilesFolder(const QString &folder);

class DvdTitleSet {
public:
    // Throws DvdError, saying what is wrong: no such folder, no DVD in it, no
    // such title set.
    DvdTitleSet(const QString &folder, int titleSet);
    ~DvdTitleSet();
    DvdTitleSet(const DvdTitleSet &) = delete;
    DvdTitleSet &operator=(const DvdTitleSet &) = delete;

    int number() const { return m_number; }
    // The size of the title VOBs in sectors.
    uint32_t sectors() const { return m_sectors; }
    // Reads count sectors from first; throws DvdError when the disc cannot give them.
    void read(uint32_t first, uint32_t count, unsigned char *into);
    // The 16 subpicture colours (0x00YYCrCb) of the chain that plays sector,
    // else of the first chain; empty when the IFO gives none.
    std::vector<uint32_t> palette(uint32_t sector) const;
    // Subpicture stream ids (0x20..0x3f) the IFO's chains list as present.
    const std::set<int> &listedSubtitles() const { return m_subtitles; }
    // Audio stream ids (0x80.. AC-3, 0x88.. DTS, 0xa0.. LPCM, 0xc0.. MPEG)
    // the IFO's chains list as present.
    const std::set<int> &listedAudio() const { return m_audio; }
    // Whether libdvdread could unscramble an encrypted disc (libdvdcss loaded).
    bool canDecrypt() const { return m_canDecrypt; }

    // Called by libdvdread's logger.
    void noteLibraryMessage(const char *text) { m_lastMessage = text; }

private:
    struct Chain {
        std::vector<std::pair<uint32_t, uint32_t>> cells; // first and last sector
        std::array<uint32_t, 16> palette{};
    };
    void readIfo();
    std::string withLibraryMessage(std::string text) const;

    int m_number = 0;
    void *m_dvd = nullptr;  // dvd_reader_t
    void *m_file = nullptr; // dvd_file_t
    uint32_t m_sectors = 0;
    std::vector<Chain> m_chains;
    std::set<int> m_subtitles;
    std::set<int> m_audio;
    bool m_canDecrypt = false;
    std::string m_lastMessage;
};
