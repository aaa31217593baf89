// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The two windows as a user has them just before Start: a catalogue in a
// scratch folder that is the current directory, keywords typed, no limit (only
// Stop ends a run). The search runs in real hidden browsers; the lookup run
// is not the point here and gets a fake one.

#include "expired/tform1.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"
#include "rechercheweb/tliste.h"

#include "fakepageloader.h"
#include "scriptedprompts.h"
#include "systemsupport.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <optional>

namespace ostrevo::test {

struct UnlimitedSearchWindows {
    UnlimitedSearchWindows(const std::string& catalogue, const QString& keywords)
    {
        writeFile(folder / "listex.txt", catalogue);
        inFolder.emplace(folder.path());
        QGuiApplication::setQuitOnLastWindowClosed(false);
        form.setLinksWindow(&liste);
        form.BPlay->click();
        liste.Button1->click();
        liste.keywords->setText(keywords);
        liste.RadioButton1->click();
    }

    void tickAllEngines()
    {
        for (int i = 0; i < liste.deps->count(); ++i) {
            liste.deps->item(i)->setCheckState(Qt::Checked);
        }
    }

    TempFolder folder;
    std::optional<CurrentDirectory> inFolder;
    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump{ticks};
    TForm1 form{prompts, pump, std::make_unique<FakePageLoader>(),
                WhoisServices{{"127.0.0.1:9", "/a?b="}, {"127.0.0.1:9", "/c?d="}}};
    Tliste liste{prompts, pump, form, [] { return std::make_unique<QtPageLoader>(); }};
};

} // namespace ostrevo::test
