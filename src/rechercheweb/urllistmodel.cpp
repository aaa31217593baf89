// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/urllistmodel.h"

#include "platform/errorguard.h"

namespace ostrevo {

UrlListModel::UrlListModel(UrlList& urls, QObject* parent) : QAbstractListModel(parent), m_urls(urls)
{
    m_urls.setObserver(this);
}

UrlListModel::~UrlListModel()
{
    m_urls.setObserver(nullptr);
}

int UrlListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_urls.count();
}

QVariant UrlListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole: {
        const std::string& text = m_urls.text(index.row());
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::CheckStateRole:
        return m_urls.isTicked(index.row()) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool UrlListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return false;
    }
    // The list reports the change back through ticksChanged. Qt calls this
    // straight from a click: nothing may escape.
    bool changed = false;
    guarded(m_errorPrompts, [&] {
        m_urls.setTicked(index.row(), value.toInt() == Qt::Checked);
        changed = true;
    });
    return changed;
}

Qt::ItemFlags UrlListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

void UrlListModel::entryAboutToBeInserted(int index)
{
    beginInsertRows({}, index, index);
}

void UrlListModel::entryInserted()
{
    endInsertRows();
}

void UrlListModel::entryAboutToBeRemoved(int index)
{
    beginRemoveRows({}, index, index);
}

void UrlListModel::entryRemoved()
{
    endRemoveRows();
}

void UrlListModel::ticksChanged(int first, int last)
{
    if (first > last) {
        return;
    }
    emit dataChanged(index(first), index(last), {Qt::CheckStateRole});
}

void UrlListModel::aboutToReset()
{
    beginResetModel();
}

void UrlListModel::reset()
{
    endResetModel();
}

} // namespace ostrevo
