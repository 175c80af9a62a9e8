// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"

#include <QAbstractTableModel>
#include <QTreeView>

#include <vector>

namespace pollwick {

// The rows of the server list: one per listed record, the five texts exactly
// as the record held them when it was listed, newest last. Rows are added
// in batches: added rows are shown when committed, so that a response of
// thousands of lines costs the view one update.
class ServerListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ServerListModel)

public:
    explicit ServerListModel(QObject* parent = nullptr);
    ~ServerListModel() override;

    void addColumn(const QString& header);

    void addRow(const ServerRecord& record);
    void commitRows();
    void removeAllRows();

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<QString> m_headers;
    std::vector<ServerRecord> m_rows;
    int m_shownRows = 0;
};

// serverList: the server list in report form. For display only: nothing the
// user does to it changes what the program does.
class ServerListView final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ServerListView)

public:
    explicit ServerListView(QWidget* parent = nullptr);
    ~ServerListView() override;

    // Report view with the five columns "Server Name", "Type", "Version",
    // "Players" and "IP Address".
    void setUpColumns();

    // The list hook: appends a row for the record (shown at the next commit).
    void addRow(const ServerRecord& record);
    // The clear hook.
    void removeAllRows();
    void commitRows();
    // Scrolls to the last row and highlights it: after a match, the matched
    // server.
    void revealLastRow();

    // The rows shown.
    [[nodiscard]] int rows() const { return m_model.rowCount(); }

private:
    ServerListModel m_model;
};

} // namespace pollwick
