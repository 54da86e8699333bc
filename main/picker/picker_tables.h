#pragma once

// The profile picker as data: the category column, the category and edition
// panels, and every picture button with its code, panel and place on the form.
// A button's code names its pictures ("images/sub/general/<code>.bmp" and
// "images/sub/move/<code>.bmp") and, for a profile button, the profile its
// click selects.

#include <QRect>
#include <QString>
#include <span>
#include <vector>

// The seventeen panels beside the category column. The first thirteen are the
// categories 1..13 in column order; the last four only editions open.
enum class PickerPanel {
    Video1 = 1, Audio1, Ipod, Iphone, Gphone, Appletv, Psp, Xbox, Phone, Win, Pmp, Hd, Animation,
    Avi, Mpeg, Mp4, Mkv,
};
inline constexpr int kCategoryCount = 13;
inline constexpr int kPanelCount = 17;

enum class ButtonRole {
    Profile, // hover swaps its pictures, a click selects its code's profile
    Filler,  // hover swaps its pictures, a click does nothing
    Still,   // a picture without events
    Blank,   // no code and no picture; its handlers do nothing
    Arrow,   // a strip arrow: hover scrolls the strip
};

// Button ids: btim_1 .. btim_132 by their number; the strip arrows by their codes.
inline constexpr int kButtonUp = 133;
inline constexpr int kButtonDown = 134;
inline constexpr int kLastButton = 134;
inline constexpr int kCodeUp = 133;
inline constexpr int kCodeDown = 134;

struct PickerButton {
    int id;    // 1..132, kButtonUp, kButtonDown
    int code;  // 0 for a blank
    ButtonRole role;
    PickerPanel panel;
    int top;    // place on the form, relative to the panel
    int height; // the width is the panel's, 308 for the arrows
};

struct PickerCategory {
    int category;           // ProfileCategory 1..13
    const char *objectName; // the category picture, "img_gvideo1"
    const char *pictureName; // its picture files, "img_video1"
    PickerPanel panel;
    int top; // in pl_main
    int height;
};

struct PickerPanelInfo {
    PickerPanel panel;
    const char *name; // "pl_video1"
    QRect rect;       // the form's own place, relative to the main window
};

inline constexpr QRect kMainPanelRect{53, 81, 153, 358}; // pl_main
inline constexpr QRect kBackPanelRect{0, 0, 311, 358};   // pl_back (placed by ShowBackPanel)
inline constexpr int kCategoryWidth = 153;
inline constexpr int kFootTop = 327; // Image3, the column's foot picture
inline constexpr int kFootHeight = 31;
inline constexpr int kArrowWidth = 308;
inline constexpr int kCategoryIconSize = 16; // images/main/<n>.bmp, shown in im_mainico
inline constexpr int kCategoryIconCount = 14;

std::span<const PickerButton> PickerButtons();
std::span<const PickerCategory> PickerCategories();
std::span<const PickerPanelInfo> PickerPanelTable();

// Null when there is no such button, category or panel.
const PickerButton *FindPickerButton(int id);
const PickerCategory *FindPickerCategory(int category);
const PickerPanelInfo &PanelInfo(PickerPanel panel);
// The panel's buttons from the table, in table order.
std::vector<const PickerButton *> ButtonsOfPanel(PickerPanel panel);
// Every button that shows the code's pictures (two for codes shared by the
// strip and an edition panel); empty for a code without a picture.
std::vector<const PickerButton *> ButtonsOfCode(int code);

// The button's name on the form: "btim_27", "btim_up", "btim_down".
QString ButtonName(int id);
// The button's width: its panel's width, or the arrow width.
int ButtonWidth(const PickerButton &button);

bool IsEditionPanel(PickerPanel panel);
// The edition number standing for an edition panel (2 pl_avi, 3 pl_mpeg,
// 4 pl_mp4, 5 pl_mkv) and its first code (102, 110, 118, 125); 0 for other panels.
int EditionNumberOfPanel(PickerPanel panel);
int FirstCodeOfPanel(PickerPanel panel);
// The edition panel an edition number stands for; false for other numbers.
bool PanelOfEditionNumber(int edition, PickerPanel *panel);

// Relative picture paths beside the executable.
QString NormalButtonPicture(int code);  // "images/sub/general/<code>.bmp", up.bmp, down.bmp
QString HoverButtonPicture(int code);   // "images/sub/move/<code>.bmp", up.bmp, down.bmp
QString NormalCategoryPicture(const PickerCategory &category); // "images/main/general/<name>.bmp"
QString HoverCategoryPicture(const PickerCategory &category);  // "images/main/move/<name>.bmp"

// Every picture file the picker loads, with the size it is drawn for: the
// largest button that shows it, so every button that shows it is covered.
struct PickerPicture {
    enum class Kind { Category, CategoryIcon, Button };
    QString path; // relative, "images/sub/general/27.bmp"
    int width;
    int height;
    Kind kind;
    int id;     // the category, the icon's number or the button code
    bool hover; // the hover picture of a category or code
};
std::vector<PickerPicture> PickerPictureFiles();

// The colours behind the pictures, where a panel shows no picture (0xRRGGBB):
// the window body and the dark panels of the program's palette.
inline constexpr unsigned kPickerBackground = 0xEEF1F5;
inline constexpr unsigned kColumnBackground = 0x1B232F;
