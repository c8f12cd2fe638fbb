#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow fenster;
    fenster.setWindowTitle("Talerwerk");
    fenster.resize(580, 420);
    fenster.show();
    return app.exec();
}
