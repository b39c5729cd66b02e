#include "e2e/sample_service.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <thread>

namespace tolvane::e2e {
namespace {

namespace fs = std::filesystem;

std::string UniqueName(const char* stem) {
  static int counter = 0;
  return (fs::temp_directory_path() /
          (std::string(stem) + std::to_string(::getpid()) + "_" +
           std::to_string(++counter)))
      .string();
}

}  // namespace

SampleService::SampleService(std::vector<std::string> arguments)
    : log_path_(UniqueName("tolvane_service_log_")) {
  std::vector<std::string> argv = {TOLVANE_SAMPLE_SERVICE, "--port", "0",
                                   "--log", log_path_};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    // Only calls that are safe in the child of a threaded process.
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(out[1]);
  // The first line names the port.
  std::string line;
  char c = 0;
  while (::read(out[0], &c, 1) == 1 && c != '\n') line += c;
  ::close(out[0]);
  std::smatch match;
  if (!std::regex_search(line, match, std::regex(R"(127\.0\.0\.1:(\d+))"))) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    throw std::runtime_error("the sample service did not start: " + line);
  }
  port_ = std::stoi(match[1]);
}

SampleService::~SampleService() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    // A service that does not end in time is killed: a test never hangs on
    // its way out.
    int status = 0;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "the sample service did not end on SIGTERM";
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  std::error_code error;
  fs::remove(log_path_, error);
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

WorkFolder::WorkFolder()
    : home_(fs::current_path().string()), folder_(UniqueName("tolvane_e2e_")) {
  fs::create_directories(folder_);
  fs::current_path(folder_);
}

WorkFolder::~WorkFolder() {
  std::error_code error;
  fs::current_path(home_, error);
  fs::remove_all(folder_, error);
}

std::string WorkFolder::Path(const std::string& name) const {
  return (fs::path(folder_) / name).string();
}

}  // namespace tolvane::e2e
