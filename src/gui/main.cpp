#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Tolvane 1.6 A");
  window.show();
  return QApplication::exec();
}
