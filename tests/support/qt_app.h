#pragma once
// One QApplication for a test program (the tests run on the offscreen platform). It is never
// destroyed: tearing Qt down after the tests adds nothing and can crash at exit.
#include <QApplication>
#include <cstdlib>

namespace korrin::testing {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "korrin-tests";
  static char* argv[] = {name, nullptr};
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace korrin::testing
