// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "containers/rowstoreimpl.h"
#include "resultlist/resulttableimpl.h"

namespace ostrevo {

// The table's rows live in blocks that each row knows.
template class RowStore<ResultRow>;

} // namespace ostrevo
