#include "e2e/sample_service.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace tolvane::e2e {
namespace fs = std::filesystem;

SampleService::SampleService(std::vector<std::string> arguments)
    : log_path_(log_folder_.filePath("requests.log").toStdString()) {
  QStringList args = {"--port", "0", "--log",
                      QString::fromStdString(log_path_)};
  for (const std::string& a : arguments) args << QString::fromStdString(a);
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QStringLiteral(TOLVANE_SAMPLE_SERVICE), args);
  // The first line names the port.
  while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
  }
  const std::string line = process_.readLine().toStdString();
  std::smatch match;
  if (!std::regex_search(line, match, std::regex(R"(127\.0\.0\.1:(\d+))"))) {
    process_.kill();
    process_.waitForFinished();
    throw std::runtime_error("the sample service did not start: " + line);
  }
  port_ = std::stoi(match[1]);
}

SampleService::~SampleService() {
  // A service that does not end in time on SIGTERM is killed: a test never
  // hangs on its way out.
  process_.terminate();
  if (!process_.waitForFinished(5000)) {
    ADD_FAILURE() << "the sample service did not end on SIGTERM";
    process_.kill();
    process_.waitForFinished();
  }
}

std::string SampleService::Url() const { return "http://" + Host(); }

std::string SampleService::Host() const {
  return "127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> SampleService::Requests() const {
  std::vector<std::string> lines;
  std::ifstream in(log_path_);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<int> SampleService::SearchSkips() const {
  std::vector<int> skips;
  const std::regex skip(R"(skip=(\d+))");
  for (const std::string& line : Requests()) {
    if (line.find("/search/search.dll?") == std::string::npos) continue;
    if (line.find("redirected=1") != std::string::npos) continue;
    std::smatch match;
    if (std::regex_search(line, match, skip))
      skips.push_back(std::stoi(match[1]));
  }
  return skips;
}

bool RunEventsUntil(const std::function<bool()>& done,
                    std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  QEventLoop loop;
  QTimer tick;
  tick.start(2);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  return true;
}

void RunEventsFor(std::chrono::milliseconds time) {
  RunEventsUntil([] { return false; }, time);
}

WorkFolder::WorkFolder() : home_(fs::current_path().string()) {
  fs::current_path(folder_.path().toStdString());
}

WorkFolder::~WorkFolder() {
  std::error_code error;
  fs::current_path(home_, error);
}

}  // namespace tolvane::e2e
