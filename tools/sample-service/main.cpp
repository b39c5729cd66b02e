// tolvane-sample-service: an auction site's search on the loopback interface,
// for the demo and the tests: the classic completed-items pages and today's
// sold-listings pages. Every address the program opens is answered; the
// fault modes reproduce what a real site does on a bad day.

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "sample_pages.h"
#include "sold_pages.h"
#include "workers.h"

namespace {

using tolvane::sample::Layout;
using tolvane::sample::PageOptions;

enum class Fault {
  kNone,
  kNoTopOfPage,
  kSamePage,
  kHttpError,
  kNoAnswer,
  kTrickle,
  kRedirect,
  kChallenge
};

struct FaultName {
  const char* name;
  Fault fault;
};

constexpr FaultName kFaults[] = {
    {"none", Fault::kNone},          {"no-top-of-page", Fault::kNoTopOfPage},
    {"same-page", Fault::kSamePage}, {"http-error", Fault::kHttpError},
    {"no-answer", Fault::kNoAnswer}, {"trickle", Fault::kTrickle},
    {"redirect", Fault::kRedirect},  {"challenge", Fault::kChallenge}};

constexpr const char* kUsage =
    "usage: tolvane-sample-service [--port N] [--latency-ms N] "
    "[--fault MODE] [--results N] [--layout card|list] [--currency CODE] "
    "[--log FILE]\n"
    "  --port N         port on 127.0.0.1; 0 (the default) picks a free one\n"
    "  --latency-ms N   wait this long before every answer\n"
    "  --fault MODE     none, no-top-of-page, same-page, http-error,\n"
    "                   no-answer, trickle, redirect or challenge (result\n"
    "                   pages only; no-top-of-page and same-page on the\n"
    "                   completed-items search alone)\n"
    "  --results N      every search finds N auctions (default: 120 to 480,\n"
    "                   depending on the expression)\n"
    "  --layout L       today's sold-listings pages in the card layout (the\n"
    "                   default) or the list layout\n"
    "  --currency CODE  prices on today's pages in USD (the default), GBP,\n"
    "                   EUR, CAD, AUD or JPY\n"
    "  --log FILE       append one line per request to FILE (default: "
    "stdout)\n";

// A page that never answers or trickles gives up after this long, so a
// forgotten client cannot hold a worker for ever.
constexpr auto kLongestStall = std::chrono::minutes(5);
// A client must send its request within this time, and every read and write
// of a connection must go through within kIoTimeout: slow clients are let
// go before they use up the workers.
constexpr auto kRequestDeadline = std::chrono::seconds(3);
constexpr auto kIoTimeout = std::chrono::seconds(2);
// Threads for connections at most: enough for every client of a burst to be
// answered at once while slow ones wait for kRequestDeadline.
constexpr std::size_t kMostWorkers = 512;
constexpr auto kWorkerIdleLife = std::chrono::seconds(10);
constexpr auto kSweepInterval = std::chrono::milliseconds(200);
constexpr std::size_t kTrickleBytes = 32;
constexpr auto kTrickleGap = std::chrono::milliseconds(100);
constexpr const char* kHtml = "text/html; charset=iso-8859-1";
constexpr const char* kTodaysHtml = "text/html;charset=utf-8";
constexpr std::time_t kFirstExpires = 1069613100;  // 2003-11-23 18:45 UTC

struct Settings {
  int port = 0;
  int latency_ms = 0;
  Fault fault = Fault::kNone;
  int results = -1;
  Layout layout = Layout::kCard;
  const tolvane::sample::Currency* currency = &tolvane::sample::Dollars();
  std::string log_path;
};

std::atomic<bool> g_stopping{false};
std::atomic<long> g_pages_served{0};

class RequestLog {
 public:
  explicit RequestLog(std::FILE* out) : out_(out) {}
  void Write(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
  }

 private:
  std::mutex mutex_;
  std::FILE* out_;
};

bool ParseNumber(const char* text, int& value) {
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || n < 0 || n > 1000000) return false;
  value = static_cast<int>(n);
  return true;
}

bool ParseArguments(int argc, char** argv, Settings& settings) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") return false;
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (arg == "--port") {
      if (!ParseNumber(value, settings.port) || settings.port > 65535)
        return false;
    } else if (arg == "--latency-ms") {
      if (!ParseNumber(value, settings.latency_ms)) return false;
    } else if (arg == "--results") {
      if (!ParseNumber(value, settings.results)) return false;
    } else if (arg == "--layout") {
      if (value == std::string_view("card")) {
        settings.layout = Layout::kCard;
      } else if (value == std::string_view("list")) {
        settings.layout = Layout::kList;
      } else {
        return false;
      }
    } else if (arg == "--currency") {
      settings.currency = tolvane::sample::FindCurrency(value);
      if (settings.currency == nullptr) return false;
    } else if (arg == "--log") {
      settings.log_path = value;
    } else if (arg == "--fault") {
      bool known = false;
      for (const FaultName& f : kFaults) {
        if (value == std::string_view(f.name)) {
          settings.fault = f.fault;
          known = true;
        }
      }
      if (!known) return false;
    } else {
      return false;
    }
  }
  return true;
}

// A fresh value for every page served, unless the same page is wanted.
std::string NextExpires(const Settings& settings) {
  const long n = settings.fault == Fault::kSamePage ? 0 : g_pages_served++;
  const std::time_t t = kFirstExpires + n;
  std::tm parts{};
  gmtime_r(&t, &parts);
  char text[64];
  std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S GMT", &parts);
  return text;
}

// The connections the service holds, found through the process's open
// sockets: cpp-httplib hands its handlers no socket, and keeps no deadline
// for a whole request.
class Connections {
 public:
  using Clock = std::chrono::steady_clock;

  explicit Connections(int port) : port_(port) {}

  // The connection from the client's port is being answered (or is done).
  void SetAnswering(int peer_port, bool answering) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (answering) {
      answering_.insert(peer_port);
    } else {
      answering_.erase(peer_port);
    }
  }

  // Shuts every connection that has not sent its request within the
  // deadline; with `all`, every connection not being answered.
  void Sweep(bool all) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::map<int, Seen> now_open;
    const Clock::time_point now = Clock::now();
    for (const auto& [fd, peer_port] : Open()) {
      Seen seen{peer_port, now};
      const auto before = seen_.find(fd);
      if (before != seen_.end() && before->second.peer_port == peer_port) {
        seen.since = before->second.since;
      }
      if (answering_.count(peer_port) == 0 &&
          (all || now - seen.since > kRequestDeadline)) {
        ::shutdown(fd, SHUT_RDWR);
      }
      now_open[fd] = seen;
    }
    seen_ = std::move(now_open);
  }

  // True once the client at the port has closed its end (or is unknown).
  bool PeerGone(int peer_port) {
    for (const auto& [fd, port] : Open()) {
      if (port != peer_port) continue;
      char byte = 0;
      const ssize_t n = ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
      return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
    }
    return true;
  }

 private:
  struct Seen {
    int peer_port;
    Clock::time_point since;
  };

  // The accepted connections: socket and the client's port.
  std::vector<std::pair<int, int>> Open() const {
    std::vector<std::pair<int, int>> open;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd", error)) {
      const int fd = std::atoi(entry.path().filename().c_str());
      sockaddr_in local{}, peer{};
      socklen_t size = sizeof local;
      if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size) != 0 ||
          local.sin_family != AF_INET || ntohs(local.sin_port) != port_) {
        continue;
      }
      size = sizeof peer;
      if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0) {
        continue;  // the listening socket
      }
      open.emplace_back(fd, ntohs(peer.sin_port));
    }
    return open;
  }

  const int port_;
  std::mutex mutex_;
  std::map<int, Seen> seen_;
  std::set<int> answering_;
};

Connections* g_connections = nullptr;

// Holds the answer back until the service stops, the client goes away or
// the longest stall has passed.
void StallUntilStopped(const httplib::Request& req) {
  const auto until = std::chrono::steady_clock::now() + kLongestStall;
  while (!g_stopping && std::chrono::steady_clock::now() < until &&
         !g_connections->PeerGone(req.remote_port)) {
    std::this_thread::sleep_for(kSweepInterval);
  }
}

void Trickle(httplib::Response& res, std::string page, const char* type) {
  auto body = std::make_shared<std::string>(std::move(page));
  res.set_chunked_content_provider(
      type, [body](std::size_t offset, httplib::DataSink& sink) {
        if (g_stopping || offset >= body->size()) {
          sink.done();
          return true;
        }
        std::this_thread::sleep_for(kTrickleGap);
        const std::size_t n = std::min(kTrickleBytes, body->size() - offset);
        return sink.write(body->data() + offset, n);
      });
}

// Answers the result page request with the fault, when the fault takes the
// place of the page; false when the page is to be served.
bool AnsweredByFault(const Settings& settings, const httplib::Request& req,
                     httplib::Response& res) {
  switch (settings.fault) {
    case Fault::kRedirect:
      if (req.has_param("redirected")) return false;
      res.set_redirect(req.target + "&redirected=1");
      return true;
    case Fault::kHttpError:
      res.status = 500;
      res.set_content(tolvane::sample::ErrorPage(500, "Internal Server Error"),
                      kHtml);
      return true;
    case Fault::kNoAnswer:
      StallUntilStopped(req);
      res.status = 503;
      return true;
    case Fault::kChallenge:
      res.set_content(tolvane::sample::ChallengePage(), kTodaysHtml);
      return true;
    default:
      return false;
  }
}

void ServeSearch(const Settings& settings, const httplib::Request& req,
                 httplib::Response& res) {
  if (AnsweredByFault(settings, req, res)) return;
  const std::string query = req.get_param_value("query");
  int skip = 0;
  if (!ParseNumber(req.get_param_value("skip").c_str(), skip)) skip = 0;
  PageOptions options;
  options.total = settings.results;
  options.expires = NextExpires(settings);
  options.top_of_page = settings.fault != Fault::kNoTopOfPage;
  std::string page = tolvane::sample::ResultPage(query, skip, options);
  if (settings.fault == Fault::kTrickle) {
    Trickle(res, std::move(page), kHtml);
    return;
  }
  res.set_content(page, kHtml);
}

// Today's search: /sch/i.html?_nkw=EXPR&LH_Sold=1&LH_Complete=1&_pgn=N. The
// page's links lead back to the host the client asked.
void ServeSoldSearch(const Settings& settings, int port,
                     const httplib::Request& req, httplib::Response& res) {
  if (AnsweredByFault(settings, req, res)) return;
  tolvane::sample::SoldPageOptions options;
  options.total = settings.results;
  if (!ParseNumber(req.get_param_value("_pgn").c_str(), options.page)) {
    options.page = 1;
  }
  options.layout = settings.layout;
  options.currency = settings.currency;
  const std::string host = req.get_header_value("Host");
  options.origin =
      "http://" + (host.empty() ? "127.0.0.1:" + std::to_string(port) : host);
  std::string page =
      tolvane::sample::SoldPage(req.get_param_value("_nkw"), options);
  if (settings.fault == Fault::kTrickle) {
    Trickle(res, std::move(page), kTodaysHtml);
    return;
  }
  res.set_content(page, kTodaysHtml);
}

// cpp-httplib listens with a backlog of 5: a burst of clients overflows it,
// and the kernel drops their connection attempts, which retry one, three and
// seven seconds later. Listening again on the bound socket widens the queue.
class Server : public httplib::Server {
 public:
  bool WidenBacklog() { return ::listen(svr_sock_, SOMAXCONN) == 0; }
};

void Serve(const Settings& settings, RequestLog& log) {
  Server server;
  server.new_task_queue = [] {
    return new tolvane::sample::Workers(kMostWorkers, kWorkerIdleLife);
  };
  server.set_tcp_nodelay(true);
  server.set_read_timeout(kIoTimeout);
  server.set_write_timeout(kIoTimeout);
  // One request per connection: a connection not yet answered is one whose
  // request is still being read.
  server.set_keep_alive_max_count(1);
  // A port in use must be refused, not shared with another service.
  server.set_socket_options([](int sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  server.set_pre_routing_handler(
      [&log, &settings](const httplib::Request& req, httplib::Response&) {
        g_connections->SetAnswering(req.remote_port, true);
        log.Write(req.method + " " + req.target);
        if (settings.latency_ms > 0) {
          std::this_thread::sleep_for(
              std::chrono::milliseconds(settings.latency_ms));
        }
        return httplib::Server::HandlerResponse::Unhandled;
      });
  server.Get("/search/search.dll",
             [&settings](const httplib::Request& req, httplib::Response& res) {
               ServeSearch(settings, req, res);
             });
  // The port is known once bound, before the first request.
  int port = 0;
  server.Get("/sch/i.html", [&settings, &port](const httplib::Request& req,
                                               httplib::Response& res) {
    ServeSoldSearch(settings, port, req, res);
  });
  server.Get(R"(/itm/(\d{1,19}))", [](const httplib::Request& req,
                                      httplib::Response& res) {
    res.set_content(tolvane::sample::SoldItemPage(req.matches[1].str()),
                    kTodaysHtml);
  });
  server.Get("/ws/eBayISAPI.dll", [](const httplib::Request& req,
                                     httplib::Response& res) {
    res.set_content(tolvane::sample::ItemPage(req.get_param_value("item")),
                    kHtml);
  });
  server.Get("/help/buy/index.html",
             [](const httplib::Request&, httplib::Response& res) {
               res.set_content(tolvane::sample::SearchTipsPage(), kHtml);
             });
  server.Get("/tolvane/help.htm",
             [](const httplib::Request&, httplib::Response& res) {
               res.set_content(tolvane::sample::HelpPage(), kHtml);
             });
  server.Get("/support.htm",
             [](const httplib::Request&, httplib::Response& res) {
               res.set_content(tolvane::sample::SupportPage(), kHtml);
             });
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    res.set_content(tolvane::sample::ErrorPage(res.status, "Not Found"), kHtml);
  });

  port = settings.port == 0
             ? server.bind_to_any_port("127.0.0.1")
             : (server.bind_to_port("127.0.0.1", settings.port) ? settings.port
                                                                : -1);
  if (port <= 0 || !server.WidenBacklog()) {
    std::fprintf(stderr, "tolvane-sample-service: cannot listen on port %d\n",
                 settings.port);
    std::exit(1);
  }
  std::printf("listening on 127.0.0.1:%d\n", port);
  std::fflush(stdout);
  Connections connections(port);
  g_connections = &connections;
  server.set_logger([](const httplib::Request& req, const httplib::Response&) {
    g_connections->SetAnswering(req.remote_port, false);
  });

  // Signals are taken by a thread of their own, which stops the server. A
  // signal may come before the server runs, when a stop would be lost: the
  // stop is repeated until the server has ended.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  std::atomic<bool> ended{false};
  std::thread waiter([&server, &ended, &connections, signals] {
    int received = 0;
    sigwait(&signals, &received);
    g_stopping = true;
    while (!ended) {
      server.stop();
      // Connections still reading a request would hold the stop for their
      // read timeouts; they are closed.
      connections.Sweep(true);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  std::thread sweeper([&ended, &connections] {
    while (!ended) {
      connections.Sweep(false);
      std::this_thread::sleep_for(kSweepInterval);
    }
  });
  server.listen_after_bind();
  ended = true;
  sweeper.join();
  // Ended without a signal (the socket failed): wake the waiter to finish.
  if (!g_stopping) ::kill(::getpid(), SIGTERM);
  waiter.join();
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  if (!ParseArguments(argc, argv, settings)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  // Started by a test or the run script, the service ends with its starter.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  std::FILE* out = stdout;
  if (!settings.log_path.empty()) {
    out = std::fopen(settings.log_path.c_str(), "a");
    if (out == nullptr) {
      std::fprintf(stderr, "tolvane-sample-service: cannot open %s\n",
                   settings.log_path.c_str());
      return 1;
    }
  }
  RequestLog log(out);
  Serve(settings, log);
  return 0;
}
