// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The URL list as a Qt list model: one row per entry, shown as stored, with
// its tick as a check box the user can toggle.

#include "rechercheweb/urllist.h"

#include <QAbstractListModel>

namespace ostrevo {

class Prompts;

class UrlListModel final : public QAbstractListModel, private UrlListObserver {
    Q_OBJECT
public:
    explicit UrlListModel(UrlList& urls, QObject* parent = nullptr);
    ~UrlListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Where a tick's error is shown (see errorguard.h).
    void setErrorPrompts(Prompts* prompts) { m_errorPrompts = prompts; }

private:
    void entryAboutToBeInserted(int index) override;
    void entryInserted() override;
    void entryAboutToBeRemoved(int index) override;
    void entryRemoved() override;
    void ticksChanged(int first, int last) override;
    void aboutToReset() override;
    void reset() override;

    UrlList& m_urls;
    Prompts* m_errorPrompts = nullptr;
};

} // namespace ostrevo
