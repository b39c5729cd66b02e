#include "e2e/sample_service.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tolvane::e2e {
namespace {

// A service told to stop right after it started must still end: a stop
// that comes before the server runs would otherwise be lost, and the test
// (or the run script) would wait for ever. The service's destructor fails
// the test when the service outlives its stop. Two services on one port
// would split the requests between them, and a test would read the wrong
// log: a port in use must be refused.
TEST(SampleServiceTest, EndsWhenStoppedRightAfterStartingAndRefusesAPortInUse) {
  for (int i = 0; i < 20; ++i) {
    SampleService service;
    ASSERT_GT(service.Port(), 0);
    if (i > 0) continue;
    EXPECT_THROW(SampleService({"--port", std::to_string(service.Port())}),
                 std::runtime_error);
  }
}

void Send(int fd, const std::string& text) {
  (void)!::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

// A connection to the service on `port` that has sent `request`.
int Connect(int port, const std::string& request) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(
      ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  Send(fd, request);
  return fd;
}

// True when the page's answer begins within the time.
bool Answered(int port, std::chrono::milliseconds limit) {
  const int fd = Connect(port, "GET /support.htm HTTP/1.1\r\nHost: x\r\n\r\n");
  pollfd wait{fd, POLLIN, 0};
  char head[12] = {};
  const bool answered =
      ::poll(&wait, 1, static_cast<int>(limit.count())) == 1 &&
      ::recv(fd, head, sizeof head, 0) > 0 &&
      std::string(head, 12) == "HTTP/1.1 200";
  ::close(fd);
  return answered;
}

// Catches slow clients that keep every worker (one byte now and then, a
// request never finished) and a stop that waits for them; the service's
// destructor fails the test when SIGTERM does not end it in time.
TEST(SampleServiceTest, SlowClientsNeitherStarveNorHoldTheService) {
  // Closed after the service has been stopped, so five are still there.
  struct Sockets {
    std::vector<int> fds;
    ~Sockets() {
      for (const int fd : fds) ::close(fd);
    }
  } slow;
  SampleService service;
  for (int i = 0; i < 66; ++i)
    slow.fds.push_back(Connect(service.Port(), "GET / HTTP/1.1\r\n"));
  std::atomic<bool> done{false};
  std::thread dribble([&] {
    for (int i = 0; i < 30 && !done; ++i) {
      for (const int fd : slow.fds) Send(fd, "X");
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
  });
  EXPECT_TRUE(Answered(service.Port(), std::chrono::seconds(6)));
  done = true;
  dribble.join();
  for (const int fd : slow.fds) ::close(fd);
  slow.fds.clear();
  for (int i = 0; i < 5; ++i)
    slow.fds.push_back(Connect(service.Port(), "GET"));
}

// Catches a never-answered page that holds its worker after its client has
// gone: seventy such clients would leave none for the next one.
TEST(SampleServiceTest, UnansweredPagesFreeTheirWorkersWhenClientsLeave) {
  SampleService service({"--fault", "no-answer"});
  for (int i = 0; i < 70; ++i) {
    ::close(
        Connect(service.Port(),
                "GET /search/search.dll?query=a HTTP/1.1\r\nHost: x\r\n\r\n"));
  }
  EXPECT_TRUE(Answered(service.Port(), std::chrono::seconds(6)));
}

}  // namespace
}  // namespace tolvane::e2e
