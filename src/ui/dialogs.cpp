#include "ui/dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

namespace kalvor {

namespace {

QStringList runFileDialog(QWidget* parent, const FileDialogRequest& request,
                          QFileDialog::AcceptMode mode,
                          QFileDialog::FileMode openMode = QFileDialog::ExistingFile) {
    QFileDialog dialog(parent, request.caption, QDir::currentPath(), request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : openMode);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    // A name with a wildcard is a filter pattern, not a file to propose.
    if (!request.fileName.isEmpty() && !request.fileName.contains(QChar('*')))
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

std::optional<QString> firstOf(const QStringList& names) {
    if (names.isEmpty()) return std::nullopt;
    return names.constFirst();
}

}  // namespace

std::optional<QString> QtDialogs::saveFileName(QWidget* parent, const FileDialogRequest& request) {
    return firstOf(runFileDialog(parent, request, QFileDialog::AcceptSave));
}

std::optional<QString> QtDialogs::openFileName(QWidget* parent, const FileDialogRequest& request) {
    return firstOf(runFileDialog(parent, request, QFileDialog::AcceptOpen));
}

QStringList QtDialogs::openFileNames(QWidget* parent, const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

std::optional<QColor> QtDialogs::color(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

std::optional<FontChoice> QtDialogs::font(QWidget* parent, const FontChoice& initial) {
    FontDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

std::optional<QString> QtDialogs::text(QWidget* parent, const QString& caption,
                                       const QString& prompt, const QString& value) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

}  // namespace kalvor
