#include "tools/skin_control_pictures/gallery_scenes.h"

#include "skin_controls/controls/button.h"
#include "skin_controls/controls/combo_box.h"
#include "skin_controls/controls/image_button.h"
#include "skin_controls/controls/popup_menu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

QString GalleryStyleName(TsuiUIStyle style)
{
    return QLatin1String(UIStyleName(style));
}

void SettleGallery()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

namespace {

// A small form in the style's form colour.
struct Form {
    QWidget widget;
    explicit Form(QSize size)
    {
        widget.resize(size);
        widget.setAutoFillBackground(true);
        QPalette p = widget.palette();
        p.setColor(QPalette::Window, QColor(0xe8, 0xe8, 0xe8));
        widget.setPalette(p);
        widget.show();
        widget.activateWindow();
        SettleGallery();
    }
    QImage shot() { return widget.grab().toImage(); }
};

void enter(QWidget *w)
{
    QEnterEvent event(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), w->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w, &event);
}

void press(QWidget *w)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

QImage glyph()
{
    // Two frames: enabled and disabled.
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    // Hard edges: only pure magenta is keyed out.
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x9e, 0x5a));
    p.drawPolygon(QPolygonF({QPointF(4, 3), QPointF(13, 8), QPointF(4, 13)}));
    p.setBrush(QColor(0xa4, 0xad, 0xb8));
    p.drawPolygon(QPolygonF({QPointF(20, 3), QPointF(29, 8), QPointF(20, 13)}));
    return image;
}

QImage labelled(QSize size, const QColor &fill, const QString &text)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

TsuiPopupMenu *fillMenu(TsuiPopupMenu *menu)
{
    menu->addItem(QStringLiteral("Open1"), QStringLiteral("&Open"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    menu->addItem(QStringLiteral("Convert1"), QStringLiteral("&Convert"));
    menu->addItem(QStringLiteral("N1"), QStringLiteral("-"));
    QAction *checked = menu->addItem(QStringLiteral("Hint1"), QStringLiteral("Show &hints"));
    checked->setCheckable(true);
    checked->setChecked(true);
    menu->addItem(QStringLiteral("Stop1"), QStringLiteral("&Stop"))->setEnabled(false);
    menu->addItem(QStringLiteral("N2"), QStringLiteral("-"));
    menu->setDefaultAction(menu->addItem(QStringLiteral("Exit1"), QStringLiteral("E&xit")));
    return menu;
}

QImage openMenu(TsuiPopupMenu &menu, int selected)
{
    menu.popup(QPoint(0, 0));
    SettleGallery();
    menu.setActiveAction(menu.actions().value(selected));
    SettleGallery();
    QImage image = menu.grab().toImage();
    menu.hide();
    return image;
}

} // namespace

std::vector<GalleryPicture> ButtonPictures(TsuiUIStyle style)
{
    std::vector<GalleryPicture> out;
    const QString prefix = QStringLiteral("button_") + GalleryStyleName(style) + QLatin1Char('_');
    const auto shoot = [&](const QString &state, const std::function<void(TsuiButton &)> &setUp) {
        Form form(QSize(120, 44));
        TsuiButton button(&form.widget);
        button.setUIStyle(style);
        button.setCaption(QStringLiteral("&Convert"));
        button.move(20, 8);
        button.show();
        setUp(button);
        SettleGallery();
        out.push_back({prefix + state, form.shot()});
    };
    shoot(QStringLiteral("normal"), [](TsuiButton &) {});
    shoot(QStringLiteral("hover"), [](TsuiButton &b) { enter(&b); });
    shoot(QStringLiteral("pressed"), [](TsuiButton &b) {
        enter(&b);
        press(&b);
    });
    shoot(QStringLiteral("disabled"), [](TsuiButton &b) { b.setEnabled(false); });
    shoot(QStringLiteral("focused"), [](TsuiButton &b) { b.setFocus(); });
    shoot(QStringLiteral("glyph"), [](TsuiButton &b) { b.setGlyph(glyph()); });
    shoot(QStringLiteral("glyph_disabled"), [](TsuiButton &b) {
        b.setGlyph(glyph());
        b.setEnabled(false);
    });
    return out;
}

std::vector<GalleryPicture> PopupMenuPictures(TsuiUIStyle style)
{
    std::vector<GalleryPicture> out;
    const QString prefix = QStringLiteral("popup_menu_") + GalleryStyleName(style);
    QWidget owner;
    TsuiPopupMenu menu(&owner);
    fillMenu(&menu);
    menu.setUIStyle(style);
    out.push_back({prefix + QStringLiteral("_selected"), openMenu(menu, 1)});
    out.push_back({prefix + QStringLiteral("_disabled_selected"), openMenu(menu, 4)});
    menu.setFlatMenu(true);
    out.push_back({prefix + QStringLiteral("_flat"), openMenu(menu, 0)});
    return out;
}

GalleryPicture LayoutColoursPopupMenu()
{
    QWidget owner;
    TsuiPopupMenu menu(&owner);
    fillMenu(&menu);
    menu.setBarColor(0x323232);
    menu.setBorderColor(0x323232);
    menu.setColor(0xFEFBFA);
    menu.setFontColor(clBlack);
    menu.setSelectedBorderColor(0x323232);
    menu.setSelectedColor(0x323232);
    menu.setSelectedFontColor(clWhite);
    menu.setSeparatorColor(clBlack);
    return {QStringLiteral("popup_menu_layout_file_colours"), openMenu(menu, 1)};
}

std::vector<GalleryPicture> ComboBoxPictures(TsuiUIStyle style)
{
    std::vector<GalleryPicture> out;
    const QString prefix = QStringLiteral("combo_box_") + GalleryStyleName(style) + QLatin1Char('_');
    const auto shoot = [&](const QString &state, bool enabled, bool dropped, bool editable = false) {
        Form form(QSize(180, 44));
        TsuiComboBox box(&form.widget);
        box.setEditable(editable);
        box.setUIStyle(style);
        box.addItems({QStringLiteral("English"), QStringLiteral("Deutsch"), QStringLiteral("Français")});
        box.setGeometry(20, 10, 140, 21);
        box.setEnabled(enabled);
        box.show();
        SettleGallery();
        QImage image = form.shot();
        if (dropped) {
            box.showPopup();
            SettleGallery();
            QWidget *list = box.view()->window();
            const QImage listImage = list->grab().toImage();
            QImage both(std::max(image.width(), listImage.width() + 20), image.height() + listImage.height(),
                        QImage::Format_RGB32);
            both.fill(QColor(0xe8, 0xe8, 0xe8));
            QPainter p(&both);
            p.drawImage(0, 0, image);
            p.drawImage(20, image.height(), listImage);
            p.end();
            image = both;
            box.hidePopup();
        }
        out.push_back({prefix + state, image});
    };
    shoot(QStringLiteral("normal"), true, false);
    shoot(QStringLiteral("disabled"), false, false);
    shoot(QStringLiteral("dropped"), true, true);
    // Typed sizes need an editable box.
    shoot(QStringLiteral("editable"), true, false, true);
    return out;
}

std::vector<GalleryPicture> ImageButtonPictures()
{
    std::vector<GalleryPicture> out;
    const auto shoot = [&](const QString &state, const std::function<void(TsuiImageButton &)> &setUp) {
        Form form(QSize(110, 44));
        TsuiImageButton button(&form.widget);
        button.setGeometry(18, 8, 74, 28);
        button.setPicNormal(TsuiPicture::fromBitmap(labelled({74, 28}, QColor(0x2d, 0x7d, 0xd2), "normal")));
        button.setPicMouseOn(TsuiPicture::fromBitmap(labelled({74, 28}, QColor(0x1f, 0x5f, 0xa6), "mouse on")));
        button.setPicDisabled(TsuiPicture::fromBitmap(labelled({74, 28}, QColor(0xa4, 0xad, 0xb8), "disabled")));
        button.show();
        setUp(button);
        SettleGallery();
        out.push_back({QStringLiteral("image_button_") + state, form.shot()});
    };
    shoot(QStringLiteral("normal"), [](TsuiImageButton &) {});
    shoot(QStringLiteral("hover"), [](TsuiImageButton &b) { enter(&b); });
    shoot(QStringLiteral("pressed_shows_normal"), [](TsuiImageButton &b) {
        enter(&b);
        press(&b);
    });
    shoot(QStringLiteral("disabled"), [](TsuiImageButton &b) { b.setEnabled(false); });
    return out;
}
