#pragma once

#include <QLabel>

namespace tolvi::widgets {

// A label for a number: when its text is wider than the label, the text is drawn in a smaller
// size of the label's font, so that no digit is ever cut off.
class ShrinkToFitLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ShrinkToFitLabel(QWidget* parent = nullptr);

    // The font the text is drawn in: the label's own, or a smaller size of it.
    QFont FittingFont() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tolvi::widgets
