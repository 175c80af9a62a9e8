// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ServerListView.h"

#include "core/Texts.h"
#include "core/layout/WindowLayout.h"
#include "window/WindowText.h"

#include <QHeaderView>
#include <QTextDocument>

#include <iterator>

namespace pollwick {

ServerListModel::ServerListModel(QObject* parent)
    : QAbstractTableModel(parent)
{ }

ServerListModel::~ServerListModel() = default;

void ServerListModel::addRow(ServerRow row)
{
    m_rows.push_back(std::move(row));
}

void ServerListModel::commitRows()
{
    const auto added = static_cast<int>(m_rows.size());
    if (added == m_shownRows) {
        return;
    }
    beginInsertRows({}, m_shownRows, added - 1);
    m_shownRows = added;
    endInsertRows();
}

void ServerListModel::removeAllRows()
{
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_shownRows = 0;
    endResetModel();
}

int ServerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int ServerListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::size(texts::kListColumns));
}

QVariant ServerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shownRows ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const ServerRow& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        return shownText(rowColumn(row, index.column(), kCellCharacters));
    }
    // A tool tip that looks like HTML is shown as HTML, pictures from local
    // files included. The list server's text is escaped, so that it is only
    // ever shown as the text it is.
    return Qt::convertFromPlainText(shownText(rowColumn(row, index.column())));
}

QVariant ServerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    const std::string_view header = texts::kListColumns[static_cast<std::size_t>(section)].header;
    return QString::fromLatin1(header.data(), static_cast<qsizetype>(header.size()));
}

Qt::ItemFlags ServerListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

ServerListView::ServerListView(QWidget* parent)
    : QTreeView(parent)
{
    setModel(&m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

ServerListView::~ServerListView()
{
    // The view must let go of the model before the model goes.
    setModel(nullptr);
}

void ServerListView::setUpColumns()
{
    int column = 0;
    for (const texts::ListColumn& each : texts::kListColumns) {
        setColumnWidth(column++, layout::pixels(each.widthTwips));
    }
}

void ServerListView::revealLastRow()
{
    const int last = m_model.rowCount() - 1;
    if (last < 0) {
        return;
    }
    const QModelIndex row = m_model.index(last, 0);
    scrollTo(row);
    setCurrentIndex(row);
}

} // namespace pollwick
