// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "containers/rowstore.h"
#include "platform/errors.h"

#include <algorithm>

namespace ostrevo {

ResultTable& ResultRow::table() const
{
    return *static_cast<ResultTable*>(m_block->owner);
}

void ResultRow::SetCaption(std::string_view caption)
{
    table().assignCaption(*this, caption);
}

std::string_view ResultRow::SubItem(std::size_t index) const
{
    if (index >= m_subItemCount) {
        throw ListIndexError(static_cast<std::int64_t>(index));
    }
    return m_subItems[index].view();
}

std::vector<std::string> ResultRow::SubItems() const
{
    std::vector<std::string> texts(m_subItemCount);
    std::transform(m_subItems, m_subItems + m_subItemCount, texts.begin(),
                   [](const ArenaText& text) { return std::string(text.view()); });
    return texts;
}

void ResultRow::AppendSubItem(std::string_view text)
{
    table().appendSubItem(*this, text);
}

bool ResultRow::Checked() const
{
    return table().Checkboxes() && m_checked;
}

void ResultRow::SetChecked(bool checked)
{
    ResultTable& owner = table();
    owner.SetCheckboxes(true);
    m_checked = checked ? 1 : 0;
    owner.rowTextChanged(*this);
}

} // namespace ostrevo
