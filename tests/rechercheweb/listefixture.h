// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The links search window beside a main window, both on fakes: scripted
// prompts, a fake clock, and fake page loaders the test keeps hold of. The
// test runs in a fresh current directory, where the window reads listex.txt.

#include "expired/tform1.h"
#include "platform/eventpump.h"
#include "rechercheweb/tliste.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "scriptedprompts.h"
#include "tempfolder.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPointer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrevo::test {

struct CatalogueEngine {
    std::string name;
    std::string head;
    std::string middle;
    std::string offset = "0";
    std::string step = "10";
    std::string cutMarker = "";
};

// Six lines per engine, each ending in CR LF.
inline std::string catalogueText(const std::vector<CatalogueEngine>& engines)
{
    std::string text;
    for (const CatalogueEngine& e : engines) {
        for (const std::string* line : {&e.name, &e.head, &e.middle, &e.offset, &e.step, &e.cutMarker}) {
            text += *line + "\r\n";
        }
    }
    return text;
}

class ListeFixture : public ::testing::Test {
protected:
    ListeFixture()
    {
        // Finish closes the window; with no other window shown that must not
        // ask the application to quit.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        m_inFolder.emplace(folder.path());

        auto www = std::make_unique<FakePageLoader>();
        mainLoader = www.get();
        mainLoader->answerEveryNavigation([](const std::string&) { return std::string("No match\r\n"); });
        form1 =
            std::make_unique<TForm1>(prompts, pump, std::move(www),
                                     WhoisServices{{"first.test", "/one?d="}, {"second.test", "/two?d="}});
        liste = std::make_unique<Tliste>(prompts, pump, *form1, [this] {
            auto loader = std::make_unique<FakePageLoader>();
            if (setUpLoader) {
                setUpLoader(*loader, static_cast<int>(loaders.size()));
            }
            loaders.push_back(loader.get());
            return loader;
        });
        liste->setCatalogueFolder(folder.path());
    }

    ~ListeFixture() override
    {
        liste.reset();
        form1.reset();
    }

    void writeCatalogue(const std::vector<CatalogueEngine>& engines)
    {
        folder.write("listex.txt", catalogueText(engines));
    }

    void tickEngine(int row) { liste->deps->item(row)->setCheckState(Qt::Checked); }

    std::vector<std::string> urlTexts() const { return liste->urls().texts(); }

    // The hosts the main window's lookup asked the whois services about.
    std::vector<std::string> lookedUpHosts() const
    {
        std::vector<std::string> hosts;
        for (const std::string& url : mainLoader->navigatedUrls()) {
            hosts.push_back(url.substr(url.find("?d=") + 3));
        }
        return hosts;
    }

    TempFolder folder;
    ScriptedPrompts prompts;
    FakeTickSource ticks;
    EventPump pump{ticks};
    FakePageLoader* mainLoader = nullptr;
    std::unique_ptr<TForm1> form1;
    // Called for every loader a run makes, with its number in creation order.
    std::function<void(FakePageLoader&, int)> setUpLoader;
    std::vector<FakePageLoader*> loaders;
    std::unique_ptr<Tliste> liste;

private:
    // Last, so that it is put back first.
    std::optional<CurrentDirectory> m_inFolder;
};

} // namespace ostrevo::test
