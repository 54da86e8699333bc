#pragma once

// The source list: one row per source to convert (check box, caption and four
// sub-items, selection) and the per-row record arrays kept beside the rows.
// The main window shows it in its list view through the change signals.

#include "engine/records.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <array>

struct SourceRow {
    // Sub-item indexes, left to right after the caption.
    enum SubItem { OriginalTime = 0, ConversionTime = 1, OutputSize = 2, Status = 3 };

    QString caption;
    std::array<QString, 4> subItems;
    bool checked = true;
    bool selected = false;
    QString note = {}; // what the encoder said at the row's last end: why it failed, or a warning
};

class SourceList : public QObject {
    Q_OBJECT
public:
    explicit SourceList(QObject *parent = nullptr);

    // The number of rows; the record arrays may be longer.
    int rowCount() const { return int(m_rows.size()); }
    const SourceRow &row(int i) const { return m_rows.at(i); }

    // Appends a row and returns its index. The arrays are not touched: the
    // adder sizes them.
    int appendRow(const SourceRow &row);
    void deleteRow(int i);
    void clear();

    void setCaption(int i, const QString &caption);
    void setSubItem(int i, int subItem, const QString &text);
    void setStatus(int i, const QString &text) { setSubItem(i, SourceRow::Status, text); }
    void setNote(int i, const QString &note);
    void setChecked(int i, bool checked);
    void setSelected(int i, bool selected);
    // Selects row i and only it (-1 selects nothing).
    void selectOnly(int i);

    // First selected row, -1 when none.
    int selectedRow() const;
    QVector<int> selectedRows() const;
    QVector<int> checkedRows() const;

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    // The list should take the input focus.
    void requestFocus() { emit focusRequested(); }

    // Row i owns entry i of every array.
    QVector<Toriginalinfo> &originalInfo() { return m_info; }
    const QVector<Toriginalinfo> &originalInfo() const { return m_info; }
    QVector<ClipRange> &clipRanges() { return m_clips; }
    const QVector<ClipRange> &clipRanges() const { return m_clips; }
    QVector<TConvertInfo> &convertInfo() { return m_convert; }
    const QVector<TConvertInfo> &convertInfo() const { return m_convert; }

    // An adder sets the arrays' length to the row count; removing rows leaves
    // it as it is.
    void sizeArraysToRows(bool withConvertInfo = false);

signals:
    void rowAppended(int row);
    void rowDeleted(int row);
    void rowChanged(int row);
    void cleared();
    void visibleChanged(bool visible);
    void focusRequested();

private:
    QVector<SourceRow> m_rows;
    QVector<Toriginalinfo> m_info;
    QVector<ClipRange> m_clips;
    QVector<TConvertInfo> m_convert;
    bool m_visible = false;
};
