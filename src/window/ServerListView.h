// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ShownText.h"

#include <QAbstractTableModel>
#include <QTreeView>

#include <vector>

namespace pollwick {

// The rows of the server list: one per listed record, the five texts as far
// as the list shows them (ServerRow), newest last. Rows are added in
// batches: added rows are shown when committed, so that a piece of a list of
// thousands of lines costs the view one update.
class ServerListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ServerListModel)

public:
    explicit ServerListModel(QObject* parent = nullptr);
    ~ServerListModel() override;

    void addRow(ServerRow row);
    void commitRows();
    void removeAllRows();

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<ServerRow> m_rows;
    int m_shownRows = 0;
};

// serverList: the server list in report form, with the columns "Server
// Name", "Type", "Version", "Players" and "IP Address". For display only:
// nothing the person does to it changes what the program does.
class ServerListView final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ServerListView)

public:
    explicit ServerListView(QWidget* parent = nullptr);
    ~ServerListView() override;

    // Sets the columns' widths.
    void setUpColumns();
    [[nodiscard]] ServerListModel& rows() { return m_model; }
    // Scrolls to the last row and highlights it: after a match, the matched
    // server.
    void revealLastRow();

private:
    ServerListModel m_model;
};

} // namespace pollwick
