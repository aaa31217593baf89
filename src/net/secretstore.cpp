// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/secretstore.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace ostrevo {

namespace {

// The program's entries in the store are filed under its name.
const QString kService = QStringLiteral("Ostrevo");

class DesktopSecretStore final : public SecretStore {
public:
    explicit DesktopSecretStore(std::chrono::milliseconds wait) : m_wait(wait) {}

    Status read(const std::string& name, std::string& secret) override
    {
        auto* job = new QKeychain::ReadPasswordJob(kService);
        const Status status = runJob(job, name);
        if (status == Status::Done) {
            secret = job->textData().toStdString();
        }
        return status;
    }

    Status write(const std::string& name, const std::string& secret) override
    {
        if (secret.empty()) {
            auto* job = new QKeychain::DeletePasswordJob(kService);
            const Status status = runJob(job, name);
            return status == Status::Missing ? Status::Done : status;
        }
        auto* job = new QKeychain::WritePasswordJob(kService);
        job->setTextData(QString::fromStdString(secret));
        return runJob(job, name);
    }

private:
    // Runs the job with a bounded wait; a finished job goes once control is
    // back in the event loop, one still running when the time is up deletes
    // itself when it finishes.
    Status runJob(QKeychain::Job* job, const std::string& name)
    {
        job->setAutoDelete(false);
        // Never a plain file beside the settings.
        job->setInsecureFallback(false);
        job->setKey(QString::fromStdString(name));
        QEventLoop wait;
        bool finished = false;
        QObject::connect(job, &QKeychain::Job::finished, &wait, [&] {
            finished = true;
            wait.quit();
        });
        QTimer::singleShot(m_wait, &wait, &QEventLoop::quit);
        job->start();
        if (!finished) {
            wait.exec();
        }
        if (!finished) {
            QObject::disconnect(job, nullptr, &wait, nullptr);
            job->setAutoDelete(true);
            return Status::NoStore;
        }
        job->deleteLater();
        switch (job->error()) {
        case QKeychain::NoError:
            return Status::Done;
        case QKeychain::EntryNotFound:
            return Status::Missing;
        default:
            return Status::NoStore;
        }
    }

    std::chrono::milliseconds m_wait;
};

} // namespace

std::unique_ptr<SecretStore> makeDesktopSecretStore(std::chrono::milliseconds wait)
{
    return std::make_unique<DesktopSecretStore>(wait);
}

} // namespace ostrevo
