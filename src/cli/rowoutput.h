// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Where a lookup from the command line writes its rows, in the format the
// name's extension asks for, as the window's save does. Delimited text (and
// standard output) is written as the rows come; a page, XML or a workbook
// once the run ends. A file appears whole or not at all.

#include "lookup/lookuprun.h"

#include <memory>
#include <string>

namespace ostrevo::cli {

class RowOutput {
public:
    virtual ~RowOutput() = default;
    virtual void add(const LookupRow& row) = 0;
    // Completes the output; throws RuntimeError when it cannot be written.
    virtual void finish() = 0;
    virtual std::size_t rowCount() const = 0;
};

// "-" is standard output. Throws FileCreateError when the file cannot be
// created, before any row is looked up.
std::unique_ptr<RowOutput> openRowOutput(const std::string& target, int currentYear);

} // namespace ostrevo::cli
