#include "engine/settings_model.h"

ComboModel::ComboModel(QObject *parent) : QObject(parent) {}

QString ComboModel::Item(int i) const
{
    return i >= 0 && i < m_items.size() ? m_items.at(i) : QString();
}

void ComboModel::Clear()
{
    m_items.clear();
    m_index = -1;
    m_text.clear();
    emit changed();
}

void ComboModel::Add(const QString &item)
{
    m_items.append(item);
    emit changed();
}

void ComboModel::Delete(int i)
{
    if (i < 0 || i >= m_items.size())
        return;
    m_items.removeAt(i);
    if (m_index == i) {
        m_index = -1;
        m_text.clear();
    } else if (m_index > i) {
        --m_index;
    }
    emit changed();
}

void ComboModel::SetItems(const QStringList &items)
{
    m_items = items;
    m_index = -1;
    m_text.clear();
    emit changed();
}

void ComboModel::SetItemIndex(int i)
{
    if (i >= 0 && i < m_items.size()) {
        m_index = i;
        m_text = m_items.at(i);
    } else {
        m_index = -1;
        m_text.clear();
    }
    emit changed();
}

void ComboModel::SetText(const QString &text)
{
    m_index = -1;
    m_text = text;
    emit changed();
}

void ComboModel::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    emit changed();
}

QString LugText(const LugLookup &lug, const QString &section, const QString &key, const QString &def)
{
    return lug ? lug(section, key, def) : def;
}

SettingsModel::SettingsModel()
{
    cb_videobitrate.SetItems(QualityDefaultTexts());
    cb_audiobitrate.SetItems(QualityDefaultTexts());
    cb_channel.SetItems({QStringLiteral("Mono"), QStringLiteral("Stereo")});
    cb_channel.SetItemIndex(1);
    QStringList counts;
    for (int i = 1; i <= 10; ++i)
        counts << QString::number(i);
    CB_NT.SetItems(counts);
    CB_NT.SetItemIndex(2);
}
