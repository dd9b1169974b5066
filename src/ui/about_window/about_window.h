#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutWindow;
}

namespace tolvi {

// The About window: the application's title, version, web host and support address, and the
// maker's legal notice. Each instance is one showing of the window, built afresh.
class AboutWindow : public QDialog {
    Q_OBJECT

  public:
    explicit AboutWindow(QWidget* owner);
    ~AboutWindow() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<Ui::AboutWindow> ui_;
};

}  // namespace tolvi
