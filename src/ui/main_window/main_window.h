#pragma once

#include <QLocale>
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
    // What the user types and pastes is read with the separators of the regional settings
    // `regional`.
    explicit MainWindow(const QLocale& regional = QLocale(), QWidget* parent = nullptr);
    ~MainWindow() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildHelpMenu();
    void BindEvents();

    // Recomputes every result from the amount, the rate and the mode, and shows the notice's
    // lines for it (the error that ended it early, how a text was read in part, and which number
    // a text that just came in meaning two was taken for), if any, until a later recalculation
    // gives none.
    void Recalculate();
    void PopUpHelpMenu();
    void ShowAbout();

    std::unique_ptr<Ui::MainWindow> ui_;
    NumberFormat regional_;  // only its separators count
    QMenu* helpMenu_ = nullptr;
    widgets::ErrorNotice* notice_ = nullptr;
    // Which number the text that comes in from outside was taken for, when it could mean two:
    // the next recalculation, which its entering raises, shows it.
    QString readAs_;
};

}  // namespace tolvi
