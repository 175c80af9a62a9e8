// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ServerListView.h"

#include "window/Twips.h"
#include "window/WindowText.h"

#include <QHeaderView>
#include <QTextDocument>

namespace pollwick {

ServerListModel::ServerListModel(QObject* parent)
    : QAbstractTableModel(parent)
{ }

ServerListModel::~ServerListModel() = default;

void ServerListModel::addColumn(const QString& header)
{
    const int at = columnCount();
    beginInsertColumns({}, at, at);
    m_headers.push_back(header);
    endInsertColumns();
}

void ServerListModel::addRow(const ServerRecord& record)
{
    m_rows.push_back(record);
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
    m_shownRows = 0;
    endResetModel();
}

int ServerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int ServerListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant ServerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shownRows ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const ServerRecord& row = m_rows[static_cast<std::size_t>(index.row())];
    std::string_view text;
    switch (index.column()) {
    case 0:
        text = row.serverName;
        break;
    case 1:
        text = row.gameType;
        break;
    case 2:
        text = row.version;
        break;
    case 3:
        text = row.players;
        break;
    case 4:
        text = row.ipAddress;
        break;
    default:
        return {};
    }
    if (role == Qt::DisplayRole) {
        return shownListText(text, kCellCharacters);
    }
    // A tool tip that looks like HTML is shown as HTML, pictures from local
    // files included. The list server's text is escaped, so that it is only
    // ever shown as the text it is.
    return Qt::convertFromPlainText(shownListText(text));
}

QVariant ServerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return m_headers[static_cast<std::size_t>(section)];
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
    static constexpr struct {
        const char* header;
        int widthTwips;
    } kColumns[] = {
        {"Server Name", 1500}, {"Type", 900},        {"Version", 775},
        {"Players", 775},      {"IP Address", 1400},
    };
    for (const auto& column : kColumns) {
        m_model.addColumn(QString::fromLatin1(column.header));
        setColumnWidth(m_model.columnCount() - 1, twips(column.widthTwips));
    }
}

void ServerListView::addRow(const ServerRecord& record)
{
    m_model.addRow(record);
}

void ServerListView::removeAllRows()
{
    m_model.removeAllRows();
}

void ServerListView::commitRows()
{
    m_model.commitRows();
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
