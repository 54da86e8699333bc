#include "main/picker/picker_editions.h"

#include <climits>

namespace {

using P = PickerPanel;
using K = EditionKind;

// Tested in this order; the first match wins.
const PickerEdition kEditions[] = {
    {{"ipod"}, K::Device, P::Ipod, {27, 28, 29, 30, 31, 32, 33}},
    {{"psp"}, K::Device, P::Psp, {53, 54, 55, 56, 57, 58, 59}},
    {{"iphone"}, K::Device, P::Iphone, {34, 35, 36, 37, 38, 39, 40}},
    {{"3gp"}, K::Device, P::Phone, {68, 69, 70, 71, 72, 73, 74}},
    {{"gphone"}, K::Device, P::Gphone, {41, 42, 43, 44, 45}},
    {{"mp3", "audio"}, K::Device, P::Audio1, {19, 21, 22, 23, 24, 25, 20}},
    {{"avi"}, K::Format, P::Avi, {}},
    {{"mpeg"}, K::Format, P::Mpeg, {}},
    {{"mp4"}, K::Format, P::Mp4, {}},
    {{"mkv"}, K::Format, P::Mkv, {}},
    {{"hd"}, K::Device, P::Hd, {91, 92, 93, 94, 95, 96, 97, 98}},
    {{"wmv", "rm", "flv"}, K::CloseOnly, P::Video1, {}},
};

// Device panels stack their buttons at these tops; the HD panel stacks edge to edge.
constexpr int kDeviceTops[] = {-1, 52, 100, 148, 196, 244, 292};

// Categories of the profiles without a button on a category panel.
struct CategoryRange {
    int first, last, category;
};
constexpr CategoryRange kRanges[] = {
    {1, 18, 1},   {101, INT_MAX, 1}, {19, 25, 2},  {27, 33, 3},  {34, 40, 4},
    {41, 45, 5},  {46, 51, 6},       {53, 59, 7},  {60, 66, 8},  {68, 73, 9},
    {75, 81, 10}, {83, 89, 11},      {91, 97, 12}, {99, 100, 13},
};

bool matches(const PickerEdition &row, const QString &lowerName)
{
    for (const char *word : row.words)
        if (word && lowerName.contains(QLatin1String(word)))
            return true;
    return false;
}

} // namespace

bool HasBrandWord(const QString &executableName)
{
    return executableName.toLower().contains(QLatin1String(kBrandWord));
}

const PickerEdition *FindPickerEdition(const QString &executableName)
{
    const QString lower = executableName.toLower();
    for (const PickerEdition &row : kEditions)
        if (matches(row, lower))
            return &row;
    return nullptr;
}

QStringList EditionProgramNames(const QString &programName)
{
    QStringList names{programName};
    for (const PickerEdition &row : kEditions)
        for (const char *word : row.words)
            if (word)
                names << programName + QLatin1Char('-') + QLatin1String(word);
    return names;
}

std::optional<EditionOpening> EditionOpeningFor(const QString &executableName, int mainLeft)
{
    const PickerEdition *row = FindPickerEdition(executableName);
    if (!row)
        return std::nullopt;
    EditionOpening opening{row->kind, row->panel, HasBrandWord(executableName) ? kBrandPanelLeft : mainLeft, {}};
    if (row->kind != EditionKind::Device)
        return opening;
    int top = kDeviceTops[0];
    for (size_t i = 0; i < row->restacked.size(); ++i) {
        const int id = row->restacked[i];
        if (i > 0) {
            if (row->panel == PickerPanel::Hd)
                top += FindPickerButton(row->restacked[i - 1])->height;
            else
                top = kDeviceTops[i];
        }
        opening.buttonTops.emplace_back(id, top);
    }
    return opening;
}

int PickerCategoryOfProfile(int p)
{
    for (const PickerButton &b : PickerButtons()) {
        const int panel = static_cast<int>(b.panel);
        if (b.code == p && b.role == ButtonRole::Profile && panel <= kCategoryCount)
            return panel;
    }
    for (const CategoryRange &r : kRanges)
        if (p >= r.first && p <= r.last)
            return r.category;
    return 0;
}
