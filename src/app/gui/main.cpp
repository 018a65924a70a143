#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("Korrin");
  QLabel label("Korrin");
  label.show();
  return app.exec();
}
