#pragma once

// Which picker an executable opens. The same binary serves several editions,
// told apart by words in its lower-cased file name: a device or format
// edition opens only its own panel; the full product opens the category
// column with the category of the profile applied last.

#include "main/picker/picker_tables.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

enum class EditionKind {
    Device,    // its panel moves beside the column's place with flat buttons re-stacked
    Format,    // its edition panel moves beside the column's place
    CloseOnly, // opening the picker only closes it
};

struct PickerEdition {
    const char *words[3]; // the row matches when the name holds any of them
    EditionKind kind;
    PickerPanel panel;    // Device and Format rows; unused by CloseOnly
    std::vector<int> restacked; // buttons re-stacked from the top, in this order
};

// The brand word: its editions open their panels at Left 88 and hide the
// preview panel when the picker opens.
inline constexpr char kBrandWord[] = "qorva";
inline constexpr int kBrandPanelLeft = 88;
bool HasBrandWord(const QString &executableName);

// The first edition row whose word the lower-cased name contains; null for the full product.
const PickerEdition *FindPickerEdition(const QString &executableName);

// The names the program ships under: programName for the full product, then
// programName, a dash and the word of each edition, in the table's order.
// Each of them needs its own title picture and product record.
QStringList EditionProgramNames(const QString &programName);

// Where an edition's panel opens and where its buttons go.
struct EditionOpening {
    EditionKind kind;
    PickerPanel panel;
    int left;
    std::vector<std::pair<int, int>> buttonTops; // button id, top
};
// The opening for a name, with mainLeft the category column's Left; nothing for the full product.
std::optional<EditionOpening> EditionOpeningFor(const QString &executableName, int mainLeft);

// The category whose panel the full picker opens for applied profile p; 0 for none.
int PickerCategoryOfProfile(int p);
