#pragma once

#include <functional>
#include "platform/shrink_to_fit_label.h"

namespace tolvi::platform {

// A label whose caption change is an event: SetCaption runs the Change handler synchronously,
// inside the assignment, every time it is called, also when the caption stays the same. No Qt
// frame stands between the assignment and the handler, so the handler's errors reach the code
// that made the assignment.
class ChangeLabel : public ShrinkToFitLabel {
    Q_OBJECT

  public:
    explicit ChangeLabel(QWidget* parent = nullptr);

    void SetChangeHandler(std::function<void()> handler) { change_ = std::move(handler); }
    void SetCaption(const QString& caption);

  private:
    std::function<void()> change_;
};

}  // namespace tolvi::platform
