#include "e2e/sample_service.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/time.h>
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

// Connections closed when the test ends, also when it fails early.
struct Sockets {
  std::vector<int> fds;
  ~Sockets() {
    for (const int fd : fds) ::close(fd);
  }
};

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A connection to the service on `port` that has sent `request`.
int Connect(int port, const std::string& request) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  EXPECT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address),
                      sizeof address),
            0);
  Send(fd, request);
  return fd;
}

constexpr const char* kSupportRequest =
    "GET /support.htm HTTP/1.1\r\nHost: x\r\n\r\n";

// True when an answer to the request sent on `fd` begins within the time.
bool AnswerBegins(int fd, std::chrono::milliseconds limit) {
  pollfd wait{fd, POLLIN, 0};
  char head[12] = {};
  return ::poll(&wait, 1, static_cast<int>(limit.count())) == 1 &&
         ::recv(fd, head, sizeof head, MSG_WAITALL) == sizeof head &&
         std::string(head, 12) == "HTTP/1.1 200";
}

// True when the page's answer begins within the time.
bool Answered(int port, std::chrono::milliseconds limit) {
  const int fd = Connect(port, kSupportRequest);
  const bool answered = AnswerBegins(fd, limit);
  ::close(fd);
  return answered;
}

// Catches a listening queue too short for a burst of clients: while the
// service is held still, the system completes only as many connections as
// the queue holds, and the others wait seconds for their retries or give up.
TEST(SampleServiceTest, AnswersABurstOfClientsAtOnce) {
  constexpr int kClients = 200;
  SampleService service;
  Sockets clients;
  const sockaddr_in address = Loopback(service.Port());
  ::kill(static_cast<pid_t>(service.Pid()), SIGSTOP);
  std::vector<pollfd> waits;
  for (int i = 0; i < kClients; ++i) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    clients.fds.push_back(fd);
    (void)::connect(fd, reinterpret_cast<const sockaddr*>(&address),
                    sizeof address);
    waits.push_back({fd, POLLOUT, 0});
  }
  int connected = 0;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (connected < kClients && std::chrono::steady_clock::now() < deadline) {
    ::poll(waits.data(), waits.size(), 100);
    connected = 0;
    for (const pollfd& w : waits) connected += (w.revents & POLLOUT) ? 1 : 0;
  }
  ::kill(static_cast<pid_t>(service.Pid()), SIGCONT);
  ASSERT_EQ(connected, kClients);
  for (const int fd : clients.fds) Send(fd, kSupportRequest);
  int answered = 0;
  for (const int fd : clients.fds) {
    answered += AnswerBegins(fd, std::chrono::seconds(20)) ? 1 : 0;
  }
  EXPECT_EQ(answered, kClients);
}

// Catches slow clients that keep the next client waiting (one byte now and
// then, a request never finished) and a stop that waits for them; the
// service's destructor fails the test when SIGTERM does not end it in time.
TEST(SampleServiceTest, SlowClientsNeitherStarveNorHoldTheService) {
  // Closed after the service has been stopped, so five are still there.
  Sockets slow;
  SampleService service;
  for (int i = 0; i < 100; ++i)
    slow.fds.push_back(Connect(service.Port(), "GET / HTTP/1.1\r\n"));
  std::atomic<bool> done{false};
  std::thread dribble([&] {
    for (int i = 0; i < 30 && !done; ++i) {
      for (const int fd : slow.fds) Send(fd, "X");
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
  });
  EXPECT_TRUE(Answered(service.Port(), std::chrono::seconds(6)));
  // The answer came before the service let any slow client go (after
  // three seconds), so it did not wait for one.
  std::vector<pollfd> gone;
  for (const int fd : slow.fds) gone.push_back({fd, POLLIN, 0});
  EXPECT_EQ(::poll(gone.data(), gone.size(), 0), 0);
  done = true;
  dribble.join();
  for (const int fd : slow.fds) ::close(fd);
  slow.fds.clear();
  for (int i = 0; i < 5; ++i)
    slow.fds.push_back(Connect(service.Port(), "GET"));
}

// The whole answer to a request for `path`: status line, headers and page.
std::string Fetch(int port, const std::string& path) {
  const int fd = Connect(port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                                   std::to_string(port) + "\r\n\r\n");
  const timeval limit{20, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  std::string answer;
  char buffer[65536];
  for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) {
    answer.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return answer;
}

// The address of a page of today's search; with "&amp;" as a page's link
// writes it.
std::string SoldSearchPath(int page, const std::string& amp = "&") {
  return "/sch/i.html?_nkw=brass+lamp" + amp + "LH_Sold=1" + amp +
         "LH_Complete=1" + amp + "_sop=13" + amp + "_ipg=50" + amp +
         "_pgn=" + std::to_string(page);
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + 1)) {
    ++n;
  }
  return n;
}

struct LayoutMarks {
  const char* layout;
  const char* sold;
  const char* ended;
  const char* struck_price;  // a best offer's sold price, struck through
  const char* placeholder;
  const char* last_next;  // the next-page control of the last page
};

constexpr LayoutMarks kLayouts[] = {
    {"card", "positive default\">Sold  Nov ", "secondary default\">Ended  Nov ",
     "strikethrough large-1 s-card__price\">$", "data-listingid=123456 ",
     "<button class=\"pagination__next icon-btn\" aria-disabled=\"true\""},
    {"list", "POSITIVE\"><span>Sold  Nov ", "NEGATIVE\"><span>Ended  Nov ",
     "<span class=\"STRIKETHROUGH POSITIVE\">$", "/itm/123456?",
     "&amp;_pgn=4\" aria-disabled=\"true\" type=next"}};

// Catches today's search pages in either layout that lack a shape the
// program must read or pass over (captions, bids, Buy It Now, a struck
// best-offer price, a range, the placeholder, the fewer-words divider), a
// page count that does not follow the result count, or a next-page link
// that is missing before the last page or live on it.
TEST(SampleServiceTest, ServesTodaysSoldSearchInBothLayouts) {
  for (const LayoutMarks& marks : kLayouts) {
    SCOPED_TRACE(marks.layout);
    SampleService service({"--layout", marks.layout, "--results", "101"});
    std::string all;
    for (int page = 1; page <= 3; ++page) {
      const std::string answer = Fetch(service.Port(), SoldSearchPath(page));
      EXPECT_EQ(answer.rfind("HTTP/1.1 200", 0), 0u);
      EXPECT_EQ(Count(answer, marks.placeholder), 1);
      EXPECT_EQ(Count(answer, marks.sold) + Count(answer, marks.ended),
                page < 3 ? 50 : 1);
      const std::string next =
          "<a class=\"pagination__next icon-link\" href=\"" + service.Url() +
          SoldSearchPath(page + 1, "&amp;");
      EXPECT_EQ(Count(answer, next + "\" type=next"), page < 3 ? 1 : 0);
      EXPECT_EQ(Count(answer, marks.last_next), page < 3 ? 0 : 1);
      all += answer;
    }
    for (const char* shape :
         {marks.ended, marks.struck_price, " bids<", ">Buy It Now<"}) {
      EXPECT_GT(Count(all, shape), 0) << shape;
    }
    EXPECT_GT(Count(all, " to $") + Count(all, "> to <"), 0) << "range";

    SampleService few({"--layout", marks.layout, "--results", "7"});
    const std::string page = Fetch(few.Port(), SoldSearchPath(1));
    const std::size_t divider = page.find(">Results matching fewer words<");
    ASSERT_NE(divider, std::string::npos);
    EXPECT_EQ(Count(page.substr(0, divider), marks.sold) +
                  Count(page.substr(0, divider), marks.ended),
              7);
    EXPECT_GT(Count(page.substr(divider), marks.sold), 0);
  }
}

// Catches a bot check missing from either search, and today's item pages
// left unanswered (or answered with the bot check).
TEST(SampleServiceTest, AnswersSearchesWithTheBotCheckAndItemPagesAsUsual) {
  SampleService service({"--fault", "challenge"});
  const struct {
    std::string path;
    const char* title;
  } kCases[] = {
      {SoldSearchPath(1), "<title>Pardon Our Interruption...</title>"},
      {"/search/search.dll?GetResult&query=brass+lamp&skip=0",
       "<title>Pardon Our Interruption...</title>"},
      {"/itm/2554179006?_skw=brass+lamp",
       "<title>Item 2554179006 | eBay</title>"}};
  for (const auto& c : kCases) {
    const std::string answer = Fetch(service.Port(), c.path);
    EXPECT_EQ(answer.rfind("HTTP/1.1 200", 0), 0u) << c.path;
    EXPECT_EQ(Count(answer, c.title), 1) << c.path;
    EXPECT_EQ(Count(answer, "srp-results"), 0) << c.path;
  }
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
