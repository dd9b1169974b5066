#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmAbout;
}

namespace tolvi {

// The About window: the application's title, version, web host and support address. Each
// instance is one loading of the window; its load step runs when it is constructed.
class frmAbout : public QDialog {
    Q_OBJECT

  public:
    explicit frmAbout(QWidget* owner);
    ~frmAbout() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Form_Load();
    void cmdOK_Click();

    std::unique_ptr<Ui::frmAbout> ui_;
};

}  // namespace tolvi
