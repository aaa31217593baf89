// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The real message boxes, input box and file dialogs.

#include "platform/prompts.h"

#include <QPointer>
#include <QWidget>

namespace ostrevo {

class QtPrompts final : public Prompts {
public:
    // Boxes are modal to the active window, or to `parent` when none is active.
    explicit QtPrompts(QWidget* parent = nullptr);

    void setParentWidget(QWidget* parent);

    void information(const QString& text) override;
    bool question(const QString& text) override;
    SaveChoice saveOrDiscard(const QString& text) override;
    void error(const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<int> chooseItem(const QString& caption, const QString& prompt, const QStringList& items,
                                  int initialIndex) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;

private:
    QWidget* dialogParent() const;

    QPointer<QWidget> m_parent;
};

} // namespace ostrevo
