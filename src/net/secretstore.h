// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Where a password is kept between starts: the desktop's secret store, never
// the settings file. Behind an interface so that tests keep theirs in memory.

#include <chrono>
#include <map>
#include <memory>
#include <string>

namespace ostrevo {

class SecretStore {
public:
    enum class Status {
        Done,
        Missing, // nothing kept under that name
        NoStore, // no secret store answered: nothing is kept between starts
    };
    virtual ~SecretStore() = default;
    virtual Status read(const std::string& name, std::string& secret) = 0;
    // An empty secret removes the one kept.
    virtual Status write(const std::string& name, const std::string& secret) = 0;
};

class MemorySecretStore final : public SecretStore {
public:
    Status read(const std::string& name, std::string& secret) override
    {
        const auto found = m_secrets.find(name);
        if (found == m_secrets.end()) {
            return Status::Missing;
        }
        secret = found->second;
        return Status::Done;
    }
    Status write(const std::string& name, const std::string& secret) override
    {
        if (secret.empty()) {
            m_secrets.erase(name);
        } else {
            m_secrets[name] = secret;
        }
        return Status::Done;
    }

private:
    std::map<std::string, std::string> m_secrets;
};

// The desktop's store (Secret Service, KWallet) through QtKeychain. Each call
// waits for the store with the event loop running, at most `wait`: a store
// that does not answer in time counts as none.
std::unique_ptr<SecretStore> makeDesktopSecretStore(std::chrono::milliseconds wait = std::chrono::seconds(5));

} // namespace ostrevo
