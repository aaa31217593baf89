// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "platform/errors.h"

namespace ostrevo {

void ResultRow::SetCaption(std::string_view caption)
{
    m_table->assignCaption(*this, caption);
}

std::string_view ResultRow::SubItem(std::size_t index) const
{
    if (index >= m_subItemCount) {
        throw ListIndexError(static_cast<std::int64_t>(index));
    }
    return m_subItems[index];
}

std::vector<std::string> ResultRow::SubItems() const
{
    return std::vector<std::string>(m_subItems, m_subItems + m_subItemCount);
}

void ResultRow::AppendSubItem(std::string_view text)
{
    m_table->appendSubItem(*this, text);
}

bool ResultRow::Checked() const
{
    return m_table->Checkboxes() && m_checked;
}

void ResultRow::SetChecked(bool checked)
{
    m_table->SetCheckboxes(true);
    m_checked = checked;
    m_table->rowTextChanged(*this);
}

} // namespace ostrevo
