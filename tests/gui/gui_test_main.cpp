#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

namespace {

QtMessageHandler standard_handler = nullptr;

// The offscreen platform cannot raise windows and says so at every Show;
// everything else Qt reports goes through.
void QuietHandler(QtMsgType type, const QMessageLogContext& context,
                  const QString& message) {
  if (message.contains(QLatin1String("This plugin does not support"))) return;
  if (standard_handler != nullptr) standard_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  // The windows need no display: tests run on the offscreen platform unless
  // told otherwise.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  standard_handler = qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tolvane 1.6"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
