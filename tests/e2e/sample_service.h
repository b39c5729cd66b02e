#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tolvane::e2e {

// tolvane-sample-service started on a free loopback port for one test and
// stopped with it. Its request log is a file the test reads.
class SampleService {
 public:
  explicit SampleService(std::vector<std::string> arguments = {});
  ~SampleService();
  SampleService(const SampleService&) = delete;
  SampleService& operator=(const SampleService&) = delete;

  int Port() const { return port_; }
  // The service's process, for a test that holds it still (SIGSTOP).
  qint64 Pid() const { return process_.processId(); }
  // "http://127.0.0.1:PORT"
  std::string Url() const;
  // "127.0.0.1:PORT"
  std::string Host() const;

  // Every request line so far, in order of arrival ("GET /path?query").
  std::vector<std::string> Requests() const;
  // The skip value of every search request so far.
  std::vector<int> SearchSkips() const;

 private:
  QTemporaryDir log_folder_;
  std::string log_path_;
  QProcess process_;
  int port_ = 0;
};

// Runs the Qt event loop until `done` holds or the time is up; true when
// `done` held.
bool RunEventsUntil(const std::function<bool()>& done,
                    std::chrono::milliseconds limit);

// Runs the Qt event loop for a while.
void RunEventsFor(std::chrono::milliseconds time);

// A folder of its own for a test, made the current folder (the capture file
// lives there) and removed afterwards.
class WorkFolder {
 public:
  WorkFolder();
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

 private:
  std::string home_;
  QTemporaryDir folder_;
};

}  // namespace tolvane::e2e
