#include <gtest/gtest.h>

#include <QApplication>

// The printer needs a GUI application for its fonts; the tests open no
// window.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
