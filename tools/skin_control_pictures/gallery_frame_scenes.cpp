#include "tools/skin_control_pictures/gallery_scenes.h"

#include "skin_controls/controls/main_menu.h"
#include "skin_controls/controls/progress_bar.h"
#include "skin_controls/frame/form.h"
#include "skin_controls/frame/menu_bar.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace {

void hover(QWidget *w, QPoint at)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A skinned form in the style, with a main menu and a progress bar.
struct SkinnedForm {
    QWidget form;
    TsuiForm *frame;
    TsuiMainMenu *menu;
    TsuiProgressBar *bar;

    explicit SkinnedForm(TsuiUIStyle style)
    {
        form.resize(360, 170);
        form.setWindowTitle(QStringLiteral("Ravenmoor - downloading the update"));
        frame = new TsuiForm(&form);
        frame->setUIStyle(style);
        frame->setTitleBarDrawAppIcon(style == TsuiUIStyle::DeepBlue);
        form.resize(360, 170);
        menu = new TsuiMainMenu(&form);
        QMenu *file = menu->addMenu(QStringLiteral("File1"), QStringLiteral("&File"));
        file->addAction(QStringLiteral("&Open..."))->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
        QAction *hints = file->addAction(QStringLiteral("Show &hints"));
        hints->setCheckable(true);
        hints->setChecked(true);
        file->addSeparator();
        file->addAction(QStringLiteral("E&xit"));
        menu->addMenu(QStringLiteral("Edit1"), QStringLiteral("&Edit"));
        menu->addMenu(QStringLiteral("Help1"), QStringLiteral("&Help"));
        menu->Loaded();
        auto *label = new QLabel(QStringLiteral("Application.exe"), frame);
        label->move(16, 72);
        bar = new TsuiProgressBar(frame);
        bar->setUIStyle(style);
        bar->setGeometry(16, 96, 201, 12);
        bar->setPosition(37);
        form.show();
        SettleGallery();
    }
    QImage shot() { return form.grab().toImage(); }
};

} // namespace

std::vector<GalleryPicture> ProgressBarPictures(TsuiUIStyle style)
{
    std::vector<GalleryPicture> out;
    const QString prefix = QStringLiteral("progress_bar_") + GalleryStyleName(style) + QLatin1Char('_');
    const auto shoot = [&](const QString &state, int position, TsuiProgressBarOrientation orientation) {
        QWidget form;
        form.resize(orientation == TsuiProgressBarOrientation::suiVertical ? 44 : 241, 44);
        TsuiProgressBar bar(&form);
        bar.setUIStyle(style);
        bar.setOrientation(orientation);
        if (orientation == TsuiProgressBarOrientation::suiVertical)
            bar.setGeometry(16, 4, 12, 36);
        else
            bar.setGeometry(20, 16, 201, 12);
        bar.setPosition(position);
        form.show();
        SettleGallery();
        out.push_back({prefix + state, form.grab().toImage()});
    };
    shoot(QStringLiteral("37_of_100"), 37, TsuiProgressBarOrientation::suiHorizontal);
    shoot(QStringLiteral("150_of_100"), 150, TsuiProgressBarOrientation::suiHorizontal);
    shoot(QStringLiteral("empty"), 0, TsuiProgressBarOrientation::suiHorizontal);
    shoot(QStringLiteral("vertical"), 60, TsuiProgressBarOrientation::suiVertical);
    return out;
}

std::vector<GalleryPicture> FormFramePictures(TsuiUIStyle style)
{
    std::vector<GalleryPicture> out;
    const QString prefix = GalleryStyleName(style) + QLatin1Char('_');
    {
        SkinnedForm f(style);
        out.push_back({QStringLiteral("form_") + prefix + QStringLiteral("normal"), f.shot()});
        f.frame->titleBar()->setFormActive(false);
        SettleGallery();
        out.push_back({QStringLiteral("form_") + prefix + QStringLiteral("inactive"), f.shot()});
    }
    {
        SkinnedForm f(style);
        TsuiTitleBar *bar = f.frame->titleBar();
        hover(bar, bar->buttonLayout({-500, -500}).places[1].toQRect().center());
        SettleGallery();
        out.push_back({QStringLiteral("title_bar_") + prefix + QStringLiteral("close_hovered"), bar->grab().toImage()});
        f.frame->setCaption(QStringLiteral("A caption far too long for the room the title bar has left between"));
        hover(bar, {-500, -500});
        SettleGallery();
        out.push_back({QStringLiteral("title_bar_") + prefix + QStringLiteral("long_caption"), bar->grab().toImage()});
    }
    {
        SkinnedForm f(style);
        TsuiMenuBarButton *file = f.frame->menuBar()->buttons().first();
        emit file->pressed();
        SettleGallery();
        QMenu *list = f.menu->items().first()->menu();
        list->setActiveAction(list->actions().value(1));
        SettleGallery();
        const QImage form = f.shot(), dropped = list->grab().toImage();
        const QPoint at = file->mapTo(&f.form, QPoint(0, file->height()));
        QImage both(std::max(form.width(), at.x() + dropped.width()), std::max(form.height(), at.y() + dropped.height()),
                    QImage::Format_RGB32);
        both.fill(Qt::white);
        QPainter p(&both);
        p.drawImage(0, 0, form);
        p.drawImage(at, dropped);
        p.end();
        list->hide();
        out.push_back({QStringLiteral("main_menu_") + prefix + QStringLiteral("dropped"), both});
    }
    return out;
}
