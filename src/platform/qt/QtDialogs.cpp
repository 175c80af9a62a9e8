// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace pollwick {

QString qtNameFilter(texts::FileFilter filter, Qt::CaseSensitivity fileNames)
{
    const QString description = QString::fromUtf8(
        filter.description.data(), static_cast<qsizetype>(filter.description.size()));
    QString pattern =
        QString::fromUtf8(filter.pattern.data(), static_cast<qsizetype>(filter.pattern.size()));
    if (fileNames == Qt::CaseSensitive) {
        QString anyCase;
        for (const QChar c : pattern) {
            if (c.isLetter() && c.toLower() != c.toUpper()) {
                anyCase += QLatin1Char('[') + c.toUpper() + c.toLower() + QLatin1Char(']');
            } else {
                anyCase += c;
            }
        }
        pattern = anyCase;
    }
    return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

std::optional<QString> QtFileDialog::openFile(QWidget* parent, texts::FileFilter filter,
                                              const QString& initialFile)
{
    constexpr Qt::CaseSensitivity kFileNames = Qt::CaseSensitive;
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The pattern made for any letter case is not for reading; show the
    // description alone.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilter(qtNameFilter(filter, kFileNames));
    if (!initialFile.isEmpty()) {
        const QFileInfo info(initialFile);
        if (info.dir().exists()) {
            dialog.setDirectory(info.dir());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return QFileInfo(files.constFirst()).absoluteFilePath();
}

void QtMessageBox::show(QWidget* parent, const QString& prompt, const QString& title)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace pollwick
