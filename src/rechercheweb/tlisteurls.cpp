// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The URL list's commands: the list menu, saving and opening list files, and
// Finish, which hands the hosts over to the main window's expiry lookup.
#include "rechercheweb/tliste.h"

#include "expired/tform1.h"
#include "net/tldsetting.h"
#include "platform/internationalhost.h"
#include "platform/prompts.h"
#include "platform/statuspanels.h"
#include "rechercheweb/filterwords.h"
#include "rechercheweb/hosthandover.h"
#include "rechercheweb/urllistfile.h"

#include <QFile>
#include <QPushButton>
#include <QToolButton>

namespace ostrevo {
namespace {

std::filesystem::path toPath(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

} // namespace

void Tliste::enterNewUrl()
{
    const std::optional<QString> answer =
        m_prompts.inputText(QStringLiteral("Add an url"), QStringLiteral("Enter new url"), QString());
    if (!answer || answer->isEmpty()) {
        return;
    }
    const std::string text = answer->toStdString();
    if (m_urls.contains(text)) {
        m_prompts.information(QStringLiteral("Url already present !"));
        return;
    }
    m_urls.append(text, true);
}

void Tliste::alphabeticSort()
{
    m_urls.sortAlphabetically();
}

void Tliste::tickUrlsContaining(bool ticked)
{
    if (m_urls.isEmpty()) {
        return;
    }
    const QString prompt = ticked ? QStringLiteral("Keep urls containg string. (; as separator) ")
                                  : QStringLiteral("Delete urls containg string. (; as separator) ");
    const std::optional<QString> answer =
        m_prompts.inputText(QStringLiteral("Filter URLs"), prompt, QString());
    if (!answer || answer->isEmpty()) {
        return;
    }
    m_urls.setTickedContaining(splitFilterWords(answer->toStdString()), ticked);
}

void Tliste::BDiskClick()
{
    const std::optional<QString> fileName =
        m_prompts.saveFileName({QStringLiteral("Save a list of urls"),
                                {QStringLiteral("*.txt (*.txt)"), QStringLiteral("*.* (*)")},
                                QStringLiteral("txt"),
                                QString()});
    if (!fileName) {
        return;
    }
    saveUrlListFile(toPath(*fileName), m_urls);
}

void Tliste::BopenClick()
{
    const std::optional<QString> fileName =
        m_prompts.openFileName({QStringLiteral("Open a list of urls"),
                                {QStringLiteral("*.txt (*.txt)"), QStringLiteral("*.htm (*.htm)"),
                                 QStringLiteral("*.html (*.html)"), QStringLiteral("*.* (*)")},
                                QStringLiteral("txt"),
                                QString()});
    if (!fileName) {
        return;
    }
    Button6->setEnabled(true);
    // File names are case-sensitive here: the file is read by its own name.
    openUrlListFile(toPath(*fileName), m_urls);
}

void Tliste::lookUpFile(const QString& fileName)
{
    openUrlListFile(toPath(fileName), m_urls);
    Button6Click();
}

void Tliste::Button6Click()
{
    if (m_urls.isEmpty()) {
        m_prompts.information(QStringLiteral("You must extract urls or load a list of urls before !"));
        return;
    }
    // A page still being read (reading waits for the browser) must not add
    // to the hosts handed over, and the hidden pages must not go on running
    // their scripts through the whole lookup.
    if (m_run) {
        if (m_pageWindowRun == m_run.get()) {
            closePageWindow();
        }
        m_run->releasePages();
    }
    reduceToHosts(m_urls, &internationalHostToAscii, loadTldFilter());
    setIdleButtons();
    // Closing sets the stop flag; set it here too, as a hidden window gets no close.
    stopflag = true;
    close();
    m_form1.lookUpHandedOverHosts(m_urls.texts());
}

} // namespace ostrevo
