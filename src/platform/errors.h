// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The errors a command can end with. Handlers do not catch them: the error
// guard shows their message in the application's error box. Plain standard
// C++ so that the core can raise them.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ostrevo {

class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Errors of the result table component, e.g. "File cannot be opened".
class EResultListError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

class ListIndexError : public RuntimeError {
public:
    explicit ListIndexError(std::int64_t index)
        : RuntimeError("List index out of bounds (" + std::to_string(index) + ")")
    {}
};

class FileOpenError : public RuntimeError {
public:
    explicit FileOpenError(const std::string& fileName) : RuntimeError("Cannot open file " + fileName) {}
};

class FileCreateError : public RuntimeError {
public:
    explicit FileCreateError(const std::string& fileName) : RuntimeError("Cannot create file " + fileName) {}
};

class FileNotFoundError : public RuntimeError {
public:
    FileNotFoundError() : RuntimeError("File not found") {}
};

class IntegerConvertError : public RuntimeError {
public:
    explicit IntegerConvertError(const std::string& text)
        : RuntimeError("'" + text + "' is not a valid integer value")
    {}
};

} // namespace ostrevo
