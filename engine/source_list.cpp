#include "engine/source_list.h"

SourceList::SourceList(QObject *parent) : QObject(parent) {}

int SourceList::appendRow(const SourceRow &row)
{
    m_rows.append(row);
    const int index = rowCount() - 1;
    emit rowAppended(index);
    return index;
}

void SourceList::deleteRow(int i)
{
    if (i < 0 || i >= rowCount())
        return;
    m_rows.removeAt(i);
    emit rowDeleted(i);
}

void SourceList::clear()
{
    if (m_rows.isEmpty())
        return;
    m_rows.clear();
    emit cleared();
}

void SourceList::setNote(int i, const QString &note)
{
    if (i < 0 || i >= rowCount() || m_rows[i].note == note)
        return;
    m_rows[i].note = note;
    emit rowChanged(i);
}

void SourceList::setCaption(int i, const QString &caption)
{
    if (i < 0 || i >= rowCount() || m_rows[i].caption == caption)
        return;
    m_rows[i].caption = caption;
    emit rowChanged(i);
}

void SourceList::setSubItem(int i, int subItem, const QString &text)
{
    if (i < 0 || i >= rowCount() || subItem < 0 || subItem >= int(m_rows[i].subItems.size()))
        return;
    if (m_rows[i].subItems[subItem] == text)
        return;
    m_rows[i].subItems[subItem] = text;
    emit rowChanged(i);
}

void SourceList::setChecked(int i, bool checked)
{
    if (i < 0 || i >= rowCount() || m_rows[i].checked == checked)
        return;
    m_rows[i].checked = checked;
    emit rowChanged(i);
}

void SourceList::setSelected(int i, bool selected)
{
    if (i < 0 || i >= rowCount() || m_rows[i].selected == selected)
        return;
    m_rows[i].selected = selected;
    emit rowChanged(i);
}

void SourceList::selectOnly(int i)
{
    for (int k = 0; k < rowCount(); ++k)
        setSelected(k, k == i);
}

int SourceList::selectedRow() const
{
    for (int i = 0; i < rowCount(); ++i)
        if (m_rows[i].selected)
            return i;
    return -1;
}

QVector<int> SourceList::selectedRows() const
{
    QVector<int> out;
    for (int i = 0; i < rowCount(); ++i)
        if (m_rows[i].selected)
            out.append(i);
    return out;
}

QVector<int> SourceList::checkedRows() const
{
    QVector<int> out;
    for (int i = 0; i < rowCount(); ++i)
        if (m_rows[i].checked)
            out.append(i);
    return out;
}

void SourceList::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit visibleChanged(visible);
}

void SourceList::sizeArraysToRows(bool withConvertInfo)
{
    m_info.resize(rowCount());
    m_clips.resize(rowCount());
    if (withConvertInfo)
        m_convert.resize(rowCount());
}
