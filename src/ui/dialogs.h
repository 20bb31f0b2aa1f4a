#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

#include "ui/font_dialog.h"

class QWidget;

namespace kalvor {

/// What a file dialog proposes: a file name in the current folder, a filter in the form
/// "description (*.ext)" and the extension added when the person types none.
struct FileDialogRequest {
    QString caption;
    QString fileName;
    QString filter;
    QString defaultSuffix;
};

/// The standard dialogs the windows open: file choice, colour choice, font choice and a
/// one-line question.
/// Windows receive one; the desktop passes the real dialogs, tests a scripted stand-in.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    /// Asks before an existing file is replaced; nothing when the person cancelled.
    virtual std::optional<QString> saveFileName(QWidget* parent,
                                                const FileDialogRequest& request) = 0;
    virtual std::optional<QString> openFileName(QWidget* parent,
                                                const FileDialogRequest& request) = 0;
    /// Several existing files at once; empty when cancelled. By default one file.
    virtual QStringList openFileNames(QWidget* parent, const FileDialogRequest& request) {
        if (auto name = openFileName(parent, request)) return {*name};
        return {};
    }
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial) = 0;
    virtual std::optional<FontChoice> font(QWidget* parent, const FontChoice& initial) = 0;
    virtual std::optional<QString> text(QWidget* parent, const QString& caption,
                                        const QString& prompt, const QString& value) = 0;
};

/// The dialogs of the desktop: QFileDialog, QColorDialog, our FontDialog and QInputDialog.
class QtDialogs : public Dialogs {
public:
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QStringList openFileNames(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QColor> color(QWidget* parent, const QColor& initial) override;
    std::optional<FontChoice> font(QWidget* parent, const FontChoice& initial) override;
    std::optional<QString> text(QWidget* parent, const QString& caption, const QString& prompt,
                                const QString& value) override;
};

}  // namespace kalvor
