// The floors for start-up time and memory, built the same way as the calculator: the smallest
// Qt Widgets program with a window of the calculator's size showing one line of text (Qt's
// hello world), and, with EMPTY_WINDOW defined, the same window showing nothing at all, which
// never loads a font.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.setFixedSize(299, 154);
#ifndef EMPTY_WINDOW
    QLabel hello(QStringLiteral("Hello, world"), &window);
#endif
    window.show();
    return QApplication::exec();
}
