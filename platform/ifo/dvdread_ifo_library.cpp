#include "platform/ifo/ifo_library.h"

#include "platform/ifo/title_set.h"
#include "platform/ifo/title_set_reader.h"

#include <algorithm>
#include <map>

namespace {

// Everything is read at open, so a handle is an entry in this table and
// every call after the open is a look-up. Handles are never reused, so a
// stale one finds nothing. Used from one thread.
class DvdReadIfoLibrary final : public IfoLibrary {
public:
    IfoHandle ifoOpen(const QString &path, int) override
    {
        std::optional<TitleSet> set = ReadTitleSet(path);
        if (!set)
            return 0;
        const IfoHandle h = ++lastHandle_;
        open_.emplace(h, std::move(*set));
        return h;
    }

    void ifoClose(IfoHandle h) override { open_.erase(h); }

    int ifoGetNumPGCI(IfoHandle h) override
    {
        const TitleSet *set = find(h);
        return set ? static_cast<int>(set->chains.size()) : 0;
    }

    int ifoGetNumAudio(IfoHandle h) override
    {
        const TitleSet *set = find(h);
        return set ? static_cast<int>(set->audio.size()) : 0;
    }

    QString ifoGetAudioDesc(IfoHandle h, int index) override
    {
        const TitleSet *set = find(h);
        return set ? set->audio.value(index) : QString();
    }

    int ifoGetNumSubPic(IfoHandle h) override
    {
        const TitleSet *set = find(h);
        return set ? static_cast<int>(set->subpictures.size()) : 0;
    }

    QString ifoGetSubPicDesc(IfoHandle h, int index) override
    {
        const TitleSet *set = find(h);
        return set ? set->subpictures.value(index) : QString();
    }

    int ifoGetPGCIInfo(IfoHandle h, int chainIndex, IfoTime *time) override
    {
        const TitleSetChain *c = chain(h, chainIndex);
        if (time)
            *time = c ? c->time : IfoTime{};
        return c ? static_cast<int>(c->cells.size()) : 0;
    }

    int ifoGetPGCICells(IfoHandle h, int chainIndex, IfoCell *cells, int capacity) override
    {
        const TitleSetChain *c = chain(h, chainIndex);
        if (!c || !cells || capacity <= 0)
            return 0;
        const int n = std::min(capacity, static_cast<int>(c->cells.size()));
        std::copy_n(c->cells.begin(), n, cells);
        return n;
    }

    QString ifoGetVideoDesc(IfoHandle h) override
    {
        const TitleSet *set = find(h);
        return set ? set->video : QString();
    }

private:
    const TitleSet *find(IfoHandle h) const
    {
        const auto it = open_.find(h);
        return it == open_.end() ? nullptr : &it->second;
    }

    const TitleSetChain *chain(IfoHandle h, int index) const
    {
        const TitleSet *set = find(h);
        if (!set || index < 0 || index >= static_cast<int>(set->chains.size()))
            return nullptr;
        return &set->chains[static_cast<std::size_t>(index)];
    }

    std::map<IfoHandle, TitleSet> open_;
    IfoHandle lastHandle_ = 0;
};

} // namespace

std::unique_ptr<IfoLibrary> MakeDvdReadIfoLibrary() { return std::make_unique<DvdReadIfoLibrary>(); }
