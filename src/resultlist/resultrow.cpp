// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "platform/errors.h"

namespace ostrevo {

void ResultRow::SetCaption(std::string caption)
{
    m_table->assignCaption(*this, std::move(caption));
}

const std::string& ResultRow::SubItem(std::size_t index) const
{
    if (index >= m_subItems.size()) {
        throw ListIndexError(static_cast<std::int64_t>(index));
    }
    return m_subItems[index];
}

std::string_view ResultRow::SubItemOrEmpty(std::size_t index) const
{
    return index < m_subItems.size() ? std::string_view(m_subItems[index]) : std::string_view();
}

void ResultRow::AppendSubItem(std::string text)
{
    m_subItems.push_back(std::move(text));
    m_table->rowTextChanged(*this);
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
