#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Karvello"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Karvello"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
