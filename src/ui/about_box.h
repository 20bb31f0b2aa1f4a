#pragma once

#include <QDialog>

namespace kalvor {

/// The information box of the help menu: the program's name, version and purpose.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace kalvor
