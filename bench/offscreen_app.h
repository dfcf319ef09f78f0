#pragma once

#include <QtGlobal>

namespace tornel::bench {

// The one Qt application of a benchmark that draws or opens windows, on the
// offscreen platform unless the environment names another.
template <typename App>
App& OffscreenApp(const char* name) {
  static int argc = 1;
  static char* argv[] = {const_cast<char*>(name), nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static App app(argc, argv);
  return app;
}

}  // namespace tornel::bench
