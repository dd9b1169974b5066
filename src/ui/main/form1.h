#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "calc/number_format.h"
#include "ui/main/window_fields.h"

class QMenu;

namespace Ui {
class Form1;
}

namespace tolvi {

namespace platform {
class ErrorNotice;
}

// The main window: the amount, the rate and the mode, the results, and the Help button.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    explicit Form1(NumberFormat format, QWidget* parent = nullptr);
    ~Form1() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildHelpMenu();
    void BindEvents();

    void Form_Load();
    void Form_Unload(std::int16_t& cancel);
    void Text_amount_Change();
    void Text_amount_KeyPress(std::uint16_t& keyAscii);
    void Text_vat_Change();
    void Text_vat_KeyPress(std::uint16_t& keyAscii);
    void Option_vat_inc_Click();
    void Option_vat_exc_Click();
    void Text_vat_result_Change();
    void Command1_Click();
    void About_Click();
    void Home_Page_Click();
    void VAT_calc_online_Click();

    std::unique_ptr<Ui::Form1> ui_;
    NumberFormat format_;
    WindowFields fields_;
    QMenu* Help_ = nullptr;
    platform::ErrorNotice* notice_ = nullptr;
};

}  // namespace tolvi
