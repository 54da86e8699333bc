#pragma once

// lv: the source list as the main window shows it. The engine's SourceList is
// the model; the view mirrors its rows and hands the user's check boxes and
// selection back to it.

#include <QTreeWidget>
#include <array>
#include <functional>

class SourceList;

class SourceListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit SourceListView(SourceList &list, QWidget *parent = nullptr);

    // Runs on every press on the list (before the press is handled).
    std::function<void()> onMouseDown;
    // Runs after the user changed the selection, clicked a row, or checked
    // or unchecked a row (a click on a check box is a click on the list too).
    std::function<void()> onSelectionChanged;

    void setCheckBoxes(bool shown);
    // The layout's width of a column. The Status column is widened to show
    // its longest text whole, and the title column gives up the room for it.
    void setLayoutColumnWidth(int column, int width);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void rowAppended(int row);
    void showRow(int row);
    void userChangedItem(QTreeWidgetItem *item, int column);
    void userChangedSelection();
    void fitColumns();
    int widestStatusWidth() const;

    SourceList &m_list;
    bool m_checkBoxes = true;
    bool m_mirroring = false; // the view follows the model: no echo back
    std::array<int, 5> m_layoutWidths{};
    bool m_columnsLaidOut = false;
};
