#pragma once

#include <QLabel>

namespace tolvi::widgets {

// A small notice that names the error which ended a calculation, or says how a text was read,
// in one or more lines. It stands in the widest free
// band between the rows of its window's controls, so that it covers none of them, near the
// field it speaks of; its font is made small enough for the text to fit the band. It takes no
// focus, blocks nothing, and stays until it is hidden.
class ErrorNotice : public QLabel {
    Q_OBJECT

  public:
    explicit ErrorNotice(QWidget& field);

    void ShowError(const QString& message);
    // Several lines, side by side in that order.
    void ShowLines(const QStringList& lines);

  private:
    QWidget& field_;
};

}  // namespace tolvi::widgets
