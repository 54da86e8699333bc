#include "platform/bluray/playlist_parser.h"

#include "platform/bluray/libbluray_playlist.h"
#include "platform/bluray/mpls_reader.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// Copies text into a fixed buffer: NUL-terminated when it fits, cut to the
// whole buffer when it does not.
template <size_t N>
void CopyText(const QByteArray &text, char (&buffer)[N])
{
    std::memset(buffer, 0, N);
    std::memcpy(buffer, text.constData(), std::min<size_t>(N, size_t(text.size())));
}

template <size_t N>
void CopyCode(const QByteArray &code, char (&buffer)[N])
{
    // A code must leave room for its NUL: the caller reads it as text.
    CopyText(code.left(N - 1), buffer);
}

class BlurayPlaylistParser final : public PlaylistParser {
public:
    int ParserFile(const QString &path, int32_t *seconds, int32_t *videos, int32_t *audios, int32_t *subtitles) override
    {
        m_current.reset();
        // libbluray takes a playlist cut in its last mark for whole; a cut
        // file is a damaged one whatever part is missing.
        const std::optional<QByteArray> bytes = ReadPlaylistBytes(path);
        if (bytes && IsWholePlaylist(*bytes)) {
            if (const std::optional<DiscPlaylistPlace> place = LibblurayPlaylistPlace(path))
                m_current = ReadWithLibbluray(*place);
            if (!m_current)
                m_current = ReadMplsFacts(*bytes);
        }
        const PlaylistFacts facts = m_current.value_or(PlaylistFacts{});
        *seconds = facts.seconds;
        *videos = int32_t(facts.videos.size());
        *audios = int32_t(facts.audios.size());
        *subtitles = int32_t(facts.subtitles.size());
        return int(facts.clips.size());
    }

    int GetM2TS(int index, char (&name)[6], int32_t *value) override
    {
        const PlaylistClip clip = m_current ? m_current->clips.value(index) : PlaylistClip{};
        CopyText(clip.name, name);
        *value = clip.value;
        return 0;
    }

    int GetVideo(int index, int32_t *value1, int32_t *value2, int32_t *value3) override
    {
        const PlaylistVideo v = m_current ? m_current->videos.value(index) : PlaylistVideo{};
        *value1 = v.value1;
        *value2 = v.value2;
        *value3 = v.value3;
        return 0;
    }

    int GetAudio(int index, int32_t *value1, int32_t *value2, char (&language)[4]) override
    {
        return stream(m_current ? m_current->audios.value(index) : PlaylistStream{}, value1, value2, language);
    }

    int GetSub(int index, int32_t *value1, int32_t *value2, char (&language)[4]) override
    {
        return stream(m_current ? m_current->subtitles.value(index) : PlaylistStream{}, value1, value2, language);
    }

    void EndParser() override { m_current.reset(); }

private:
    static int stream(const PlaylistStream &s, int32_t *value1, int32_t *value2, char (&language)[4])
    {
        *value1 = s.value1;
        *value2 = s.value2;
        CopyCode(s.language, language);
        return 0;
    }

    std::optional<PlaylistFacts> m_current;
};

} // namespace

std::unique_ptr<PlaylistParser> MakeBlurayPlaylistParser() { return std::make_unique<BlurayPlaylistParser>(); }
