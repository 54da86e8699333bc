#include "main/picker/picker_panels.h"

#include "platform/errors/error_guard.h"

#include <QFileInfo>
#include <QFrame>
#include <QMouseEvent>
#include <QPixmap>
#include <stdexcept>
#include <utility>

namespace {

void fillWith(QWidget *w, unsigned rgb)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(rgb));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QFrame *makePanel(QWidget *parent, const QString &name, const QRect &rect)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::NoFrame);
    frame->setGeometry(rect);
    fillWith(frame, kPickerBackground);
    // A press on a bare part of the picker (the column's foot, the space below
    // a panel's buttons) is no press on the skin beneath, which closes the picker.
    frame->setAttribute(Qt::WA_NoMousePropagation);
    frame->hide();
    return frame;
}

} // namespace

PickerImage::PickerImage(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PickerImage::setPicture(const QString &path, const QString &file)
{
    if (!QFileInfo::exists(path))
        throw std::runtime_error(QStringLiteral("Cannot open picture file \"%1\".").arg(path).toStdString());
    m_file = file;
    m_unread = path;
    if (isVisible())
        showPicture();
}

void PickerImage::showPicture()
{
    if (m_unread.isEmpty())
        return;
    QPixmap pixmap;
    const QString path = std::exchange(m_unread, QString());
    if (!pixmap.load(path, "BMP"))
        throw std::runtime_error(QStringLiteral("Cannot open picture file \"%1\".").arg(path).toStdString());
    setPixmap(pixmap);
}

void PickerImage::showEvent(QShowEvent *event)
{
    showPicture();
    QLabel::showEvent(event);
}

void PickerImage::mouseMoveEvent(QMouseEvent *event)
{
    emit moved();
    event->accept();
}

void PickerImage::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void PickerImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

ProfilePickerPanels::ProfilePickerPanels(QWidget *form, QString executableFolder, QString executableName,
                                         EngineState &state, PickerHooks hooks, ErrorBox &errors,
                                         std::function<void(bool, const QRect &)> backFrame)
    : m_folder(std::move(executableFolder)), m_errors(errors), m_backFrame(std::move(backFrame)),
      m_picker(*this, state, std::move(executableName), std::move(hooks))
{
    for (auto [timer, kind] : {std::pair{&m_downtime, StripTimer::Down}, std::pair{&m_uptime, StripTimer::Up}}) {
        timer->setInterval(kStripTickMs);
        connect(timer, &QTimer::timeout, this, [this, kind] {
            guarded([this, kind] { kind == StripTimer::Down ? m_picker.DownTimerTick() : m_picker.UpTimerTick(); });
        });
    }
    // The back panel first: it lies under the category panels.
    m_back = makePanel(form, QStringLiteral("pl_back"), kBackPanelRect);
    m_backPicture = new PickerImage(m_back);
    m_backPicture->setObjectName(QStringLiteral("Image13"));
    m_backPicture->setGeometry(0, 0, kBackPanelRect.width(), kBackPanelRect.height());
    connect(m_backPicture, &PickerImage::moved, this, [this] { guarded([this] { m_picker.BackPanelHover(); }); });
    buildColumn(form);
    buildPanels(form);
}

ProfilePickerPanels::~ProfilePickerPanels() = default;

void ProfilePickerPanels::buildColumn(QWidget *form)
{
    m_main = makePanel(form, QStringLiteral("pl_main"), kMainPanelRect);
    fillWith(m_main, kColumnBackground);
    for (const PickerCategory &c : PickerCategories()) {
        auto *image = new PickerImage(m_main);
        image->setObjectName(QLatin1String(c.objectName));
        image->setGeometry(0, c.top, kCategoryWidth, c.height);
        const int category = c.category;
        connect(image, &PickerImage::moved, this,
                [this, category] { guarded([this, category] { m_picker.CategoryHover(category); }); });
        m_categories[category] = image;
    }
    // The column's own pictures, which no hover has restored yet.
    for (const PickerCategory &c : PickerCategories())
        guarded([this, &c] { loadCategoryPicture(c.category, NormalCategoryPicture(c)); });
    auto *foot = new QLabel(m_main);
    foot->setObjectName(QStringLiteral("Image3"));
    foot->setGeometry(0, kFootTop, kCategoryWidth, kFootHeight);
}

void ProfilePickerPanels::buildPanels(QWidget *form)
{
    for (const PickerPanelInfo &info : PickerPanelTable()) {
        PanelWidgets &p = m_panels[static_cast<int>(info.panel)];
        p.frame = makePanel(form, QLatin1String(info.name), info.rect);
        p.client = new QWidget(p.frame);
        p.client->setGeometry(0, 0, info.rect.width(), info.rect.height());
    }
    for (const PickerButton &b : PickerButtons()) {
        auto *image = new PickerImage(m_panels[static_cast<int>(b.panel)].client);
        image->setObjectName(ButtonName(b.id));
        image->setGeometry(0, b.top, ButtonWidth(b), b.height);
        m_buttons[b.id] = image;
        const int id = b.id;
        if (b.role == ButtonRole::Still || b.role == ButtonRole::Blank)
            continue;
        connect(image, &PickerImage::moved, this, [this, id] { guarded([this, id] { m_picker.ButtonHover(id); }); });
        if (b.role == ButtonRole::Profile)
            connect(image, &PickerImage::clicked, this,
                    [this, id] { guarded([this, id] { m_picker.ButtonClick(id); }); });
    }
    // The arrows lie in front of the strip.
    m_buttons[kButtonDown]->raise();
    m_buttons[kButtonUp]->raise();
}

void ProfilePickerPanels::guarded(const std::function<void()> &handler) { RunGuarded(m_errors, handler); }

bool ProfilePickerPanels::movePanel(const QString &name, int left, int top)
{
    if (name == m_main->objectName()) {
        m_main->move(left, top);
        return true;
    }
    for (const PickerPanelInfo &info : PickerPanelTable()) {
        if (name == QLatin1String(info.name)) {
            panel(info.panel)->move(left, top);
            return true;
        }
    }
    return false;
}

void ProfilePickerPanels::bringToFront()
{
    m_back->raise();
    for (const PickerPanelInfo &info : PickerPanelTable())
        panel(info.panel)->raise();
    m_main->raise();
}

PickerImage *ProfilePickerPanels::button(int id) const
{
    const auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

PickerImage *ProfilePickerPanels::categoryPicture(int category) const
{
    return category >= 1 && category <= kCategoryCount ? m_categories[category] : nullptr;
}

QFrame *ProfilePickerPanels::panel(PickerPanel panel) const { return m_panels[static_cast<int>(panel)].frame; }

QTimer *ProfilePickerPanels::timer(StripTimer timer) { return timer == StripTimer::Down ? &m_downtime : &m_uptime; }

void ProfilePickerPanels::loadButtonPicture(int button, const QString &relativePath)
{
    m_buttons.at(button)->setPicture(m_folder + QLatin1Char('/') + relativePath, relativePath);
}

void ProfilePickerPanels::loadCategoryPicture(int category, const QString &relativePath)
{
    m_categories.at(category)->setPicture(m_folder + QLatin1Char('/') + relativePath, relativePath);
}

void ProfilePickerPanels::setPanelVisible(PickerPanel p, bool visible) { panel(p)->setVisible(visible); }

bool ProfilePickerPanels::panelVisible(PickerPanel p) const { return !panel(p)->isHidden(); }

QRect ProfilePickerPanels::panelRect(PickerPanel p) const { return panel(p)->geometry(); }

void ProfilePickerPanels::setPanelLeft(PickerPanel p, int left) { panel(p)->move(left, panel(p)->y()); }

void ProfilePickerPanels::setPanelFlat(PickerPanel p)
{
    PanelWidgets &w = m_panels[static_cast<int>(p)];
    w.frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    w.frame->setLineWidth(1);
    w.client->setGeometry(w.frame->contentsRect());
}

void ProfilePickerPanels::setMainVisible(bool visible) { m_main->setVisible(visible); }

bool ProfilePickerPanels::mainVisible() const { return !m_main->isHidden(); }

int ProfilePickerPanels::mainLeft() const { return m_main->x(); }

void ProfilePickerPanels::showBackPanel(bool visible, const QRect &rect)
{
    if (m_backFrame)
        m_backFrame(visible, rect);
    m_back->setVisible(visible);
    m_back->move(rect.topLeft());
}

void ProfilePickerPanels::placeButton(int button, int left, int top) { m_buttons.at(button)->move(left, top); }

void ProfilePickerPanels::setButtonVisible(int button, bool visible) { m_buttons.at(button)->setVisible(visible); }

void ProfilePickerPanels::raiseButton(int button) { m_buttons.at(button)->raise(); }

void ProfilePickerPanels::setTimerRunning(StripTimer t, bool running)
{
    QTimer *qt = timer(t);
    if (!running)
        qt->stop();
    else if (!qt->isActive())
        qt->start();
}

bool ProfilePickerPanels::timerRunning(StripTimer t) const
{
    return (t == StripTimer::Down ? m_downtime : m_uptime).isActive();
}
