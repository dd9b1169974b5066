#pragma once

// A freshly started main window, shown and active, with its controls at hand.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "calc/notice.h"
#include "ui/main_window/main_window.h"

namespace tolvi::test {

struct TestWindow {
    // Under the regional settings `regional` for what is typed and pasted.
    explicit TestWindow(const QLocale& regional = QLocale())
        : form(std::make_unique<tolvi::MainWindow>(regional)) {
        form->show();
        form->activateWindow();
        QApplication::setActiveWindow(form.get());
        if (!QTest::qWaitForWindowActive(form.get())) {
            qWarning("the main window did not become active");
        }
    }

    template <typename T>
    T* Control(const char* name) const {
        T* control = form->findChild<T*>(QString::fromLatin1(name));
        if (control == nullptr) {
            qFatal("no control %s", name);
        }
        return control;
    }

    QLineEdit* amount() const { return Control<QLineEdit>("Text_amount"); }
    QLineEdit* rate() const { return Control<QLineEdit>("Text_vat"); }
    QRadioButton* inclusive() const { return Control<QRadioButton>("Option_vat_inc"); }
    QRadioButton* exclusive() const { return Control<QRadioButton>("Option_vat_exc"); }
    QLabel* unroundedVat() const { return Control<QLabel>("Text_vat_result"); }
    QLineEdit* roundedVat() const { return Control<QLineEdit>("Text_vat_round"); }
    QLineEdit* total() const { return Control<QLineEdit>("Text_total"); }
    QLineEdit* price() const { return Control<QLineEdit>("Text_Price"); }
    QLabel* unformattedPrice() const { return Control<QLabel>("Label_price"); }
    QPushButton* help() const { return Control<QPushButton>("Command1"); }
    QLabel* notice() const { return Control<QLabel>("ErrorNotice"); }

    // The five result texts, in the order VAT, rounded VAT, total, price, unformatted price.
    QStringList Results() const {
        return {unroundedVat()->text(), roundedVat()->text(), total()->text(), price()->text(),
                unformattedPrice()->text()};
    }

    // The lines the notice shows, which stand side by side; none while it is hidden.
    QStringList NoticeLines() const {
        return notice()->isVisible() ? notice()->text().split(QString::fromUtf8(
                                           kNoticeLineSeparator.data(),
                                           static_cast<qsizetype>(kNoticeLineSeparator.size())))
                                     : QStringList{};
    }

    // Clears a field from the keyboard: End, then Shift+Home, then Delete.
    static void ClearByKeyboard(QLineEdit* field) {
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(field, Qt::Key_Delete);
    }

    std::unique_ptr<tolvi::MainWindow> form;
};

}  // namespace tolvi::test
