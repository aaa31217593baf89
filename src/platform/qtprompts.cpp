// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/qtprompts.h"

#include "platform/settings.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace ostrevo {
namespace {

QString boxTitle()
{
    return QGuiApplication::applicationDisplayName();
}

// "htm" for "HTML page (*.htm)": the first pattern's extension, if it names one.
QString filterSuffix(const QString& filter)
{
    const qsizetype open = filter.lastIndexOf(u'(');
    const QString pattern = filter.mid(open + 1).section(u')', 0, 0).section(u' ', 0, 0);
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.indexOf(u'*', 1) >= 0 || pattern.contains(u'?')) {
        return {};
    }
    return pattern.mid(2);
}

// Messages carry texts from web pages, catalogues and files (host names,
// file names, errors): never read as markup.
QMessageBox::StandardButton showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    QMessageBox box(icon, boxTitle(), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.filters.isEmpty()) {
        dialog.setNameFilters(request.filters);
    }
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (mode == QFileDialog::AcceptSave) {
        // A name typed without an extension takes the chosen entry's: the
        // extension says what the file holds.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
            const QString suffix = filterSuffix(filter);
            dialog.setDefaultSuffix(suffix.isEmpty() ? request.defaultSuffix : suffix);
        });
    }
    // Each dialog, known by its title, opens in the folder it was last used in.
    const QString folderKey = settingskey::FolderPrefix + request.title;
    const QString lastFolder = storedText(folderKey);
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir()) {
        dialog.setDirectory(lastFolder);
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.constFirst().isEmpty()) {
        return std::nullopt;
    }
    store(folderKey, QFileInfo(chosen.constFirst()).absolutePath());
    return chosen.constFirst();
}

} // namespace

QtPrompts::QtPrompts(QWidget* parent) : m_parent(parent)
{}

void QtPrompts::setParentWidget(QWidget* parent)
{
    m_parent = parent;
}

QWidget* QtPrompts::dialogParent() const
{
    // Over the window the user is working in (the links search window asks
    // its own questions); the fallback only when no window is active.
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    return m_parent;
}

void QtPrompts::information(const QString& text)
{
    showMessageBox(dialogParent(), QMessageBox::Information, text, QMessageBox::Ok);
}

bool QtPrompts::question(const QString& text)
{
    return showMessageBox(dialogParent(), QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::Yes) == QMessageBox::Yes;
}

SaveChoice QtPrompts::saveOrDiscard(const QString& text)
{
    switch (QMessageBox::question(dialogParent(), boxTitle(), text,
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                  QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

void QtPrompts::error(const QString& text)
{
    showMessageBox(dialogParent(), QMessageBox::Critical, text, QMessageBox::Ok);
}

std::optional<QString> QtPrompts::inputText(const QString& caption, const QString& prompt,
                                            const QString& initial)
{
    bool accepted = false;
    QString text =
        QInputDialog::getText(dialogParent(), caption, prompt, QLineEdit::Normal, initial, &accepted);
    if (!accepted) {
        return std::nullopt;
    }
    return text;
}

std::optional<int> QtPrompts::chooseItem(const QString& caption, const QString& prompt,
                                         const QStringList& items, int initialIndex)
{
    bool accepted = false;
    const QString chosen =
        QInputDialog::getItem(dialogParent(), caption, prompt, items, initialIndex, false, &accepted);
    // The dialog gives the text; the items differ, so it names one place.
    const qsizetype index = items.indexOf(chosen);
    if (!accepted || index < 0) {
        return std::nullopt;
    }
    return static_cast<int>(index);
}

std::optional<QString> QtPrompts::openFileName(const FileDialogRequest& request)
{
    return runFileDialog(dialogParent(), request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompts::saveFileName(const FileDialogRequest& request)
{
    return runFileDialog(dialogParent(), request, QFileDialog::AcceptSave);
}

} // namespace ostrevo
