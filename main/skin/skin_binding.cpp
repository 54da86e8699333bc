#include "main/skin/skin_binding.h"

#include "main/skin/skin_bars.h"
#include "main/skin/skin_ini.h"

namespace {

struct BindRow {
    const char *name;
    BoundSkinObject SkinBinding::*member;
};

constexpr BindRow kBindings[] = {
    {"profilestext", &SkinBinding::profilestext}, {"play_time", &SkinBinding::play_time},
    {"hint", &SkinBinding::hint},                 {"play_bar", &SkinBinding::play_bar},
    {"di", &SkinBinding::di},                     {"alltime", &SkinBinding::alltime},
    {"playpos", &SkinBinding::playpos},           {"convertpos", &SkinBinding::convertpos},
    {"convertinfo", &SkinBinding::convertinfo},   {"filename", &SkinBinding::filename},
    {"filesize", &SkinBinding::filesize},         {"filepath", &SkinBinding::filepath},
    {"usedtime", &SkinBinding::usedtime},         {"resttime", &SkinBinding::resttime},
    {"begin_time", &SkinBinding::begin_time},     {"End_time", &SkinBinding::End_time},
};

const QString kPlayBar = QStringLiteral("play_bar");
const QString kResttime = QStringLiteral("resttime");

BoundSkinObject Bind(ISkinWindowObject &window, const QString &name)
{
    BoundSkinObject b;
    b.object = window.FindChildObject(name);
    if (!b.object)
        return b;
    if (name == kPlayBar)
        b.slider = b.object->SliderFacet();
    else
        b.text = b.object->TextFacet();
    b.frame = b.object->FrameFacet();
    return b;
}

void SetRightEdge(const BoundSkinObject &bar, SkinRect origin, int right)
{
    origin.right = right;
    bar.setRect(origin);
    bar.redraw();
}

} // namespace

QStringList BoundSkinObjectNames()
{
    QStringList names;
    for (const BindRow &row : kBindings)
        names << QLatin1String(row.name);
    return names;
}

const BoundSkinObject *SkinBinding::find(const QString &name) const
{
    for (const BindRow &row : kBindings)
        if (name == QLatin1String(row.name))
            return &(this->*row.member);
    return nullptr;
}

void BindSkinObjects(ISkinWindowObject &window, SkinBinding &binding)
{
    for (const BindRow &row : kBindings) {
        const QString name = QLatin1String(row.name);
        binding.*row.member = Bind(window, name);
        if (name != kResttime)
            continue;
        binding.convertinfo.setVisible(false);
        binding.convertBarOrigin = binding.convertpos.rect();
        binding.playBarOrigin = binding.playpos.rect();
        binding.play_bar.setPosition(0);
        binding.play_bar.redraw();
    }
}

void SetPlayBarPosition(const SkinBinding &binding, const SkinIni &ini, int p)
{
    const int length = ini.ReadInteger(QStringLiteral("Play"), QStringLiteral("pos"), kDefaultBarLength);
    SetRightEdge(binding.playpos, binding.playBarOrigin,
                 BarRightEdge(binding.playBarOrigin.left, p, kPlayBarCap, length));
}

void SetConvertProgress(const SkinBinding &binding, const SkinIni &ini, int p, const QString &lastEncoderLine)
{
    const int length = ini.ReadInteger(QStringLiteral("convert"), QStringLiteral("pos"), kDefaultBarLength);
    SetRightEdge(binding.convertpos, binding.convertBarOrigin,
                 BarRightEdge(binding.convertBarOrigin.left, p, kConvertBarCap, length));
    binding.hint.setText(lastEncoderLine);
    binding.hint.redraw();
}

void ShowBackPanelFrame(const SkinBinding &binding, bool visible, int left, int top, int width, int height)
{
    binding.di.setVisible(visible);
    binding.di.setRect(SkinRect{left, top, left + width, top + height});
    binding.di.redraw();
}
