// From one key event in the amount field to every result field updated, on the real window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/main_window/main_window.h"

namespace {

void SendKey(QWidget* field, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &release);
}

void Keystrokes(benchmark::State& state, bool exclusive) {
    tolvi::MainWindow form;
    form.show();
    auto* amount = form.findChild<QLineEdit*>(QStringLiteral("Text_amount"));
    auto* rate = form.findChild<QLineEdit*>(QStringLiteral("Text_vat"));
    auto* total = form.findChild<QLineEdit*>(QStringLiteral("Text_total"));
    if (exclusive) {
        form.findChild<QRadioButton*>(QStringLiteral("Option_vat_exc"))->click();
    }
    rate->setText(QStringLiteral("17.5"));
    amount->setText(QStringLiteral("1175"));
    amount->setFocus();
    for (auto _ : state) {
        SendKey(amount, Qt::Key_7, QStringLiteral("7"));        // 11757: a full recalculation
        SendKey(amount, Qt::Key_Backspace, QString(QChar(8)));  // 1175: another
        benchmark::DoNotOptimize(total->text().size());
    }
    state.SetItemsProcessed(state.iterations() * 2);  // key events, each a full update
    if (total->text() != QLatin1String(exclusive ? "1,380.63" : "1,175.00")) {
        state.SkipWithError("the results were not updated");
    }
}

void BM_KeystrokeInclusive(benchmark::State& state) {
    Keystrokes(state, false);
}
void BM_KeystrokeExclusive(benchmark::State& state) {
    Keystrokes(state, true);
}
BENCHMARK(BM_KeystrokeInclusive)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeExclusive)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
