#pragma once

#include <QWidget>
#include <memory>

#include "calc/number_format.h"

class QMenu;

namespace Ui {
class MainWindow;
}

namespace tolvi {

namespace widgets {
class ErrorNotice;
}

// The main window: the amount, the rate and the mode, the results, and the Help button.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(NumberFormat format, QWidget* parent = nullptr);
    ~MainWindow() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildHelpMenu();
    void BindEvents();

    // Recomputes every result from the amount, the rate and the mode, and names the error that
    // ended it early, if any, until a later recalculation runs to its end.
    void Recalculate();
    void PopUpHelpMenu();
    void ShowAbout();

    std::unique_ptr<Ui::MainWindow> ui_;
    NumberFormat format_;
    QMenu* helpMenu_ = nullptr;
    widgets::ErrorNotice* notice_ = nullptr;
};

}  // namespace tolvi
