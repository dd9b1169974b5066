#pragma once

#include <QLabel>

namespace tolvi::platform {

// A small notice that names the error which ended a calculation. It stands just above a field
// of its window, takes no focus, blocks nothing, and stays until it is hidden.
class ErrorNotice : public QLabel {
    Q_OBJECT

  public:
    explicit ErrorNotice(QWidget& field);

    void ShowError(const QString& message);

  private:
    QWidget& field_;
};

}  // namespace tolvi::platform
