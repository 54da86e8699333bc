#include "skin_controls/controls/combo_box.h"

#include "skin_controls/drawing/pixel_rules.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/file_theme_link.h"
#include "skin_controls/theme/owner_style.h"
#include "skin_controls/theme/theme_lookup.h"
#include "skin_controls/theme/theme_resources.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <exception>

void DrawComboArrow(QPainter &canvas, int x, int y, const QColor &arrow, bool enabled)
{
    const auto triangle = [&](int dx, const QColor &color) {
        const QPoint points[] = {{x + dx, y + dx}, {x + dx + 6, y + dx}, {x + dx + 3, y + dx + 3}};
        PolygonColor(canvas, points, color);
    };
    if (enabled) {
        triangle(0, arrow);
        return;
    }
    triangle(1, Qt::white);
    triangle(0, QColor(0x80, 0x80, 0x80));
}

void PaintFlatCombo(QPainter &canvas, const TRect &client, const TRect &button, const FlatComboLook &look)
{
    FrameRectColor(canvas, client, look.border);
    FrameRectColor(canvas, {client.Left + 1, client.Top + 1, client.Right - 1, client.Bottom - 1}, look.face);
    if (look.style == TsuiUIStyle::MacOS || look.style == TsuiUIStyle::WinXP) {
        const char *name = look.style == TsuiUIStyle::MacOS ? "MACOS_COMBOBOX_BUTTON" : "WINXP_COMBOBOX_BUTTON";
        try {
            canvas.drawImage(button.toQRect(), LoadThemeResource(QLatin1String(name)));
        } catch (const std::exception &) {
            // Without its bitmap the button keeps the platform's face.
        }
    } else {
        FillRectColor(canvas, button, look.button);
        LineToColor(canvas, {button.Left, button.Top - 1}, {button.Left, button.Bottom + 1}, look.border);
    }
    if (look.style != TsuiUIStyle::WinXP)
        DrawComboArrow(canvas, button.Left + button.width() / 2 - 3, button.height() / 2, look.arrow, look.enabled);
}

namespace {

// Some desktop styles open a list over its box, at the chosen item, and
// show every item; the flat combo's list drops down below the box.
class ListBelowStyle : public QProxyStyle {
public:
    explicit ListBelowStyle(QObject *owner) : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
        setParent(owner);
    }
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        return hint == SH_ComboBox_Popup ? 0 : QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

TsuiCustomComboBox::TsuiCustomComboBox(QWidget *parent) : QComboBox(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setStyle(new ListBelowStyle(this));
}

void TsuiCustomComboBox::setUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    m_arrowColor = clBlack;
    m_borderColor = ResolveThemeColor(m_fileTheme, style, 25);
    m_buttonColor = ResolveThemeColor(m_fileTheme, style, 15);
    update();
}

void TsuiCustomComboBox::setFileTheme(TsuiFileTheme *theme)
{
    LinkFileTheme(this, m_fileTheme, theme, [this] { setUIStyle(TsuiUIStyle::DeepBlue); });
    setUIStyle(m_uiStyle);
}

void TsuiCustomComboBox::setBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TsuiCustomComboBox::setButtonColor(TColor color)
{
    m_buttonColor = color;
    update();
}

void TsuiCustomComboBox::setArrowColor(TColor color)
{
    m_arrowColor = color;
    update();
}

void TsuiCustomComboBox::setColor(TColor color)
{
    m_color = color;
    QPalette p = palette();
    const QColor face = TsuiColorToQColor(color, p);
    if (face.isValid()) {
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
            p.setColor(role, face);
        setPalette(p);
    }
    update();
}

FlatComboLook TsuiCustomComboBox::look() const
{
    const QPalette p = palette();
    FlatComboLook look;
    look.style = m_uiStyle;
    look.border = TsuiColorToQColor(m_borderColor, p);
    look.button = TsuiColorToQColor(m_buttonColor, p);
    look.arrow = TsuiColorToQColor(m_arrowColor, p);
    look.face = TsuiColorToQColor(m_color, p);
    look.enabled = isEnabled();
    return look;
}

void TsuiCustomComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The button lies inside the two frames, as the flat look expects.
    const QRect button = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this) &
                         rect().adjusted(2, 2, -2, -2);
    QPainter canvas(this);
    PaintFlatCombo(canvas, TRect::fromQRect(rect()), TRect::fromQRect(button), look());
}

void TsuiCustomComboBox::showPopup()
{
    // The list's window: a one-pixel frame in the border colour.
    if (auto *frame = qobject_cast<QFrame *>(view()->parentWidget())) {
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        QPalette p = frame->palette();
        p.setColor(QPalette::WindowText, TsuiColorToQColor(m_borderColor, palette()));
        frame->setPalette(p);
    }
    QComboBox::showPopup();
}

void TsuiCustomComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (QWidget *parent = parentWidget())
        parent->update();
}

TsuiComboBox::TsuiComboBox(QWidget *parent) : TsuiCustomComboBox(parent)
{
    setMaxVisibleItems(8);
    setUIStyle(GetOwnerUIStyle(OwnerForm(parent)));
}

TsuiComboBox::TsuiComboBox(const QString &name, QWidget *parent) : TsuiComboBox(parent)
{
    setObjectName(name);
}
