#include "main/window/source_list_view.h"

#include "engine/conversion_queue.h"
#include "engine/encoder_progress.h"
#include "engine/job_messages.h"
#include "engine/source_list.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <numeric>

namespace {

// Sets `flag` for the lifetime of the scope.
class Mirroring {
public:
    explicit Mirroring(bool &flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~Mirroring() { m_flag = m_was; }
    Mirroring(const Mirroring &) = delete;
    Mirroring &operator=(const Mirroring &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

constexpr int kTitleColumn = 0;
constexpr int kStatusColumn = 4;

// The texts a run leaves in the Status column; a preview's words are shorter.
QStringList StatusTexts()
{
    return {kStatusFinishWarning, kStatusFinish, kStatusFailed, kStatusStop, ProgressPercentText(9999)};
}

} // namespace

SourceListView::SourceListView(SourceList &list, QWidget *parent) : QTreeWidget(parent), m_list(list)
{
    setObjectName(QStringLiteral("lv"));
    setColumnCount(5);
    setHeaderLabels({QStringLiteral("Title"), QStringLiteral("Original time"), QStringLiteral("Conversion time"),
                     QStringLiteral("Output size"), QStringLiteral("Status")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    header()->setStretchLastSection(true);
    setVisible(m_list.isVisible());

    connect(&m_list, &SourceList::rowAppended, this, &SourceListView::rowAppended);
    connect(&m_list, &SourceList::rowChanged, this, &SourceListView::showRow);
    connect(&m_list, &SourceList::rowDeleted, this, [this](int row) {
        const Mirroring m(m_mirroring);
        delete takeTopLevelItem(row);
    });
    connect(&m_list, &SourceList::cleared, this, [this] {
        const Mirroring m(m_mirroring);
        clear();
    });
    connect(&m_list, &SourceList::visibleChanged, this, &QWidget::setVisible);
    connect(&m_list, &SourceList::focusRequested, this, [this] { setFocus(); });
    connect(this, &QTreeWidget::itemChanged, this, &SourceListView::userChangedItem);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &SourceListView::userChangedSelection);
    // A click on the row already selected shows that row again: what the
    // window shows may have been left by a preview or a run.
    connect(this, &QTreeWidget::itemClicked, this, [this] {
        if (onSelectionChanged)
            onSelectionChanged();
    });
    for (int i = 0; i < m_list.rowCount(); ++i)
        rowAppended(i);
}

void SourceListView::setCheckBoxes(bool shown)
{
    m_checkBoxes = shown;
    for (int i = 0; i < topLevelItemCount(); ++i)
        showRow(i);
}

void SourceListView::setLayoutColumnWidth(int column, int width)
{
    if (column < 0 || column >= int(m_layoutWidths.size()))
        return;
    // The list's font is set before its layout: the status texts are measured once.
    m_layoutWidths[size_t(column)] = column == kStatusColumn ? qMax(width, widestStatusWidth()) : width;
    m_columnsLaidOut = true;
    fitColumns();
}

void SourceListView::resizeEvent(QResizeEvent *event)
{
    QTreeWidget::resizeEvent(event);
    fitColumns();
}

// The room is counted with the vertical scroll bar shown, as a long list shows it.
void SourceListView::fitColumns()
{
    if (!m_columnsLaidOut)
        return;
    std::array<int, 5> widths = m_layoutWidths;
    const int room = width() - 2 * frameWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int overflow = std::accumulate(widths.begin(), widths.end(), 0) - room;
    // The title keeps at least half its width; a layout narrower than that scrolls sideways.
    if (overflow > 0)
        widths[kTitleColumn] = qMax(widths[kTitleColumn] - overflow, widths[kTitleColumn] / 2);
    for (int i = 0; i < int(widths.size()); ++i)
        setColumnWidth(i, widths[size_t(i)]);
}

// Measured as the list's items are drawn: its font and the style's margins.
int SourceListView::widestStatusWidth() const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    int widest = 0;
    for (const QString &text : StatusTexts()) {
        option.text = text;
        widest = qMax(widest, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width());
    }
    return widest;
}

void SourceListView::rowAppended(int row)
{
    {
        const Mirroring m(m_mirroring);
        insertTopLevelItem(row, new QTreeWidgetItem);
    }
    showRow(row);
}

void SourceListView::showRow(int row)
{
    QTreeWidgetItem *item = topLevelItem(row);
    if (!item || row >= m_list.rowCount())
        return;
    const Mirroring m(m_mirroring);
    const SourceRow &r = m_list.row(row);
    item->setText(0, r.caption);
    for (int i = 0; i < 4; ++i)
        item->setText(i + 1, r.subItems[size_t(i)]);
    // What the encoder said at the row's end, wherever the pointer rests on it.
    for (int i = 0; i < 5; ++i)
        item->setToolTip(i, r.note);
    if (m_checkBoxes) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, r.checked ? Qt::Checked : Qt::Unchecked);
    }
    item->setSelected(r.selected);
}

void SourceListView::userChangedItem(QTreeWidgetItem *item, int column)
{
    if (m_mirroring || column != 0)
        return;
    const int row = indexOfTopLevelItem(item);
    if (row < 0 || row >= m_list.rowCount())
        return;
    m_list.setChecked(row, item->checkState(0) == Qt::Checked);
    if (onSelectionChanged)
        onSelectionChanged();
}

void SourceListView::userChangedSelection()
{
    if (m_mirroring)
        return;
    {
        const Mirroring m(m_mirroring);
        for (int i = 0; i < topLevelItemCount() && i < m_list.rowCount(); ++i)
            m_list.setSelected(i, topLevelItem(i)->isSelected());
    }
    if (onSelectionChanged)
        onSelectionChanged();
}

void SourceListView::mousePressEvent(QMouseEvent *event)
{
    if (onMouseDown)
        onMouseDown();
    QTreeWidget::mousePressEvent(event);
}
