// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// What a screen reader and the keyboard find: a name for every control that
// shows no text of its own, and a tab order that follows the pages' layout.
#include "rechercheweb/tliste.h"

#include "platform/statuspanels.h"
#include "rechercheweb/updownbuttons.h"

#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace ostrevo {

void Tliste::nameControls()
{
    const std::pair<QWidget*, const char*> names[] = {
        {Memo1, "Welcome text"},
        {Bplay, "Start"},
        {Bstop, "Stop"},
        {Bopen, "Open a list of urls"},
        {BDisk, "Save the list of urls"},
        {ToolButton2, "Commands on the list of urls"},
        {buffer, "Search progress"},
        {SpeedButton1, "Update the list of search engines"},
        {keywords, "Keywords"},
        {totalresultats, "Limit in links"},
        {UpDown2, "Step the limit"},
        {UpDown2->upButton(), "Raise the limit"},
        {UpDown2->downButton(), "Lower the limit"},
        {deps, "Search engines"},
        {webs, "Links found"},
        {StatusBar1, "Links found so far"},
    };
    for (const auto& [widget, name] : names) {
        widget->setAccessibleName(QString::fromLatin1(name));
    }

    // Top to bottom, left to right, as the pages show them.
    QWidget* const order[] = {
        Button1,      Bplay,          Bstop,        Bopen, BDisk, ToolButton2,    SpeedButton1, keywords,
        RadioButton3, totalresultats, RadioButton1, deps,  webs,  showPageButton, SpeedButton3, Button6};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace ostrevo
