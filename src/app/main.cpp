#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvanta"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ZARO Korvanta"));
    window.show();
    return QApplication::exec();
}
