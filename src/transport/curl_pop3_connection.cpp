#include "transport/curl_pop3_connection.h"

#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <charconv>
#include <exception>

#include "transport/failure_text.h"
#include "transport/login_trace.h"

namespace ostrel::transport {
namespace {

constexpr size_t kLongestLine = 1 << 20;
constexpr size_t kLargestMessage = size_t{512} << 20;
constexpr size_t kReadChunk = 1 << 16;
constexpr long long kLargestReserve = 64 << 20;
// A message's unique identifier has 1 to 70 characters (RFC 1939).
constexpr size_t kLongestId = 70;
// How far retrievals are asked for ahead of the one being read: enough to
// keep the server sending while a batch is flushed to disk, little enough
// that a stopped check does not wait long for answers it drops. A message
// larger than the bytes allowed ahead is asked for only when its turn comes.
constexpr size_t kMostAhead = 32;
constexpr long long kMostBytesAhead = 2 << 20;

std::string RetrieveCommand(int number) { return "RETR " + std::to_string(number) + "\r\n"; }

// The number at the start of text (after blanks), or -1.
long long LeadingNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  long long value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  return error == std::errc() && value >= 0 ? value : -1;
}

// The word after the first blank-separated word ("1 abc" gives "abc").
std::string SecondWord(std::string_view text) {
  const auto blank = text.find(' ');
  if (blank == std::string_view::npos) return {};
  text.remove_prefix(blank + 1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return std::string(text.substr(0, text.find(' ')));
}

}  // namespace

CurlPop3Connection::CurlPop3Connection(std::filesystem::path programFolder,
                                       std::chrono::seconds replyTimeout)
    : programFolder_(std::move(programFolder)), replyTimeout_(replyTimeout) {}

CurlPop3Connection::~CurlPop3Connection() { CloseSession(); }

base::Result<> CurlPop3Connection::Connect(const std::string& server, const std::string& userName,
                                           const std::string& password) {
  CloseSession();
  lastError_.clear();
  if (HasLineBreak(userName) || HasLineBreak(password)) return base::Failure{kLineBreakInLogin};
  const auto parsed = ParseServerAddress(server, MailProtocol::Pop3);
  if (!parsed) return base::Failure{parsed.Reason()};
  try {
    session_ = std::make_unique<CurlSession>(*parsed, userName, password, programFolder_);
  } catch (const std::exception& problem) {
    return base::Failure{problem.what()};
  }
  // libcurl stops after the greeting, TLS and the login and leaves the
  // connection to us.
  curl_easy_setopt(session_->Handle(), CURLOPT_CONNECT_ONLY, 1L);
  LoginTrace trace;
  trace.Attach(session_->Handle());
  const CURLcode result = curl_easy_perform(session_->Handle());
  trace.Detach(session_->Handle());
  if (result != CURLE_OK) {
    base::Failure failure{result == CURLE_LOGIN_DENIED && !trace.LoginSent()
                              ? NoLoginOfferedText(session_->Server(), trace.OfferedStls())
                              : FailureText(result, 0, session_->Detail(), session_->Server())};
    CloseSession();
    return failure;
  }
  pipelining_ = trace.OffersPipelining();
  // OpenSSL may now take whatever the socket holds in one read, several
  // records at once, instead of two reads per record (its header, then its
  // body); a server sending records of a few kilobytes would otherwise cost
  // thousands of reads per mailbox. Not before: libcurl's own reading
  // during the login does not look for records read ahead. Every read from
  // here on goes through SSL_read, which takes them first.
  if (void* tls = trace.OpenSslSession()) SSL_set_read_ahead(static_cast<SSL*>(tls), 1);
  return {};
}

bool CurlPop3Connection::Usable() {
  if (!session_) {
    if (lastError_.empty()) lastError_ = "There is no connection to the mail server.";
    return false;
  }
  return !broken_;
}

void CurlPop3Connection::Break(std::string reason) {
  broken_ = true;
  lastError_ = std::move(reason);
}

bool CurlPop3Connection::WaitForSocket(bool forWriting) {
  curl_socket_t socket = CURL_SOCKET_BAD;
  if (curl_easy_getinfo(session_->Handle(), CURLINFO_ACTIVESOCKET, &socket) != CURLE_OK ||
      socket == CURL_SOCKET_BAD) {
    return false;
  }
  pollfd descriptor{socket, static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(replyTimeout_).count();
  return poll(&descriptor, 1, static_cast<int>(milliseconds)) > 0;
}

bool CurlPop3Connection::SendLine(const std::string& line) { return SendBytes(line + "\r\n"); }

bool CurlPop3Connection::SendBytes(const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    size_t now = 0;
    const CURLcode result =
        curl_easy_send(session_->Handle(), bytes.data() + sent, bytes.size() - sent, &now);
    if (result == CURLE_AGAIN) {
      if (!WaitForSocket(true)) {
        Break("The mail server stopped answering.");
        return false;
      }
      continue;
    }
    if (result != CURLE_OK) {
      Break("The connection to the mail server was lost.");
      return false;
    }
    sent += now;
  }
  return true;
}

std::optional<std::string_view> CurlPop3Connection::NextLine() {
  char chunk[kReadChunk];
  size_t searchFrom = readPosition_;
  for (;;) {
    if (const auto end = received_.find("\r\n", searchFrom); end != std::string::npos) {
      const std::string_view line = std::string_view(received_).substr(readPosition_, end - readPosition_);
      readPosition_ = end + 2;
      return line;
    }
    if (received_.size() - readPosition_ > kLongestLine) {
      Break("The mail server sent a line that is far too long.");
      return std::nullopt;
    }
    // Lines are taken from the front by moving readPosition_; the bytes
    // already taken are dropped only now, once per chunk, not once per line.
    received_.erase(0, readPosition_);
    readPosition_ = 0;
    searchFrom = received_.empty() ? 0 : received_.size() - 1;
    size_t got = 0;
    const CURLcode result = curl_easy_recv(session_->Handle(), chunk, sizeof chunk, &got);
    if (result == CURLE_AGAIN) {
      if (!WaitForSocket(false)) {
        Break("The mail server stopped answering.");
        return std::nullopt;
      }
      continue;
    }
    if (result != CURLE_OK || got == 0) {
      Break("The connection to the mail server was lost.");
      return std::nullopt;
    }
    received_.append(chunk, got);
  }
}

std::optional<std::string> CurlPop3Connection::ReadLine() {
  const auto line = NextLine();
  if (!line) return std::nullopt;
  return std::string(*line);
}

std::optional<std::string> CurlPop3Connection::Command(const std::string& command) {
  // Any other command ends the retrievals announced.
  planned_.clear();
  if (!Usable() || !DropAhead() || !SendLine(command)) return std::nullopt;
  return ReadReply(std::string_view(command).substr(0, command.find(' ')));
}

std::optional<std::string> CurlPop3Connection::ReadReply(std::string_view commandName) {
  auto reply = ReadLine();
  if (!reply) return std::nullopt;
  if (reply->starts_with("+OK")) return reply->size() > 4 ? reply->substr(4) : std::string();
  lastError_ = "The mail server refused \"" + std::string(commandName) +
               "\": " + (reply->size() > 5 ? reply->substr(5) : *reply);
  if (!reply->starts_with("-ERR")) Break(lastError_);
  return std::nullopt;
}

base::Result<int> CurlPop3Connection::GetTotalOfMails() {
  const auto reply = Command("STAT");
  if (!reply) return LastFailure();
  const long long count = LeadingNumber(*reply);
  if (count < 0 || count > 0x7FFFFFFF) return base::Failure{"The mail server's message count cannot be read."};
  return static_cast<int>(count);
}

bool CurlPop3Connection::ReadListing(const std::string& command, std::string_view refusedLine,
                                     const std::function<bool(const std::string&)>& take) {
  const std::string notBelievable = "The mail server's answer to " + command + " is not believable: ";
  size_t lines = 0;
  for (;;) {
    auto line = ReadLine();
    if (!line) return false;
    if (*line == ".") return true;
    if (!line->empty() && line->front() == '.') line->erase(0, 1);
    if (++lines > static_cast<size_t>(kMostMessages)) {
      Break(notBelievable + "it lists more than " + std::to_string(kMostMessages) + " messages.");
      return false;
    }
    if (!take(*line)) {
      Break(notBelievable + std::string(refusedLine));
      return false;
    }
  }
}

bool CurlPop3Connection::LoadListings() {
  if (listed_) return true;
  // One LIST and one UIDL for the whole mailbox instead of two commands, and
  // two waits for the server, per message. Each line is taken as it comes,
  // and no more lines are taken than a mailbox is believed to hold.
  if (!Command("LIST") || !ReadListing("LIST", "", [this](const std::string& line) {
        const long long number = LeadingNumber(line);
        const long long size = LeadingNumber(SecondWord(line));
        if (number > 0 && size >= 0) sizes_[number] = size;
        return true;
      })) {
    return false;
  }
  // A server without UIDL still gives sizes; only the identifiers fail.
  if (Command("UIDL")) {
    const std::string tooLong = "an identifier is longer than " + std::to_string(kLongestId) + " characters.";
    if (!ReadListing("UIDL", tooLong, [this](const std::string& line) {
          const long long number = LeadingNumber(line);
          std::string id = SecondWord(line);
          if (id.size() > kLongestId) return false;
          if (number > 0 && !id.empty()) ids_[number] = std::move(id);
          return true;
        })) {
      return false;
    }
  } else if (broken_) {
    return false;
  }
  listed_ = true;
  return true;
}

base::Result<long long> CurlPop3Connection::GetMsgSize(int number) {
  if (!Usable() || !LoadListings()) return LastFailure();
  const auto found = sizes_.find(number);
  if (found == sizes_.end()) return base::Failure{"The mail server has no message " + std::to_string(number) + "."};
  return found->second;
}

base::Result<std::string> CurlPop3Connection::GetMsgId(int number) {
  if (!Usable() || !LoadListings()) return LastFailure();
  const auto found = ids_.find(number);
  if (found == ids_.end()) {
    return base::Failure{"The mail server gave no identifier for message " + std::to_string(number) + "."};
  }
  return found->second;
}

void CurlPop3Connection::WillRetrieve(std::vector<int> numbers) {
  if (pipelining_) planned_.assign(numbers.begin(), numbers.end());
}

long long CurlPop3Connection::ListedSize(int number) const {
  const auto listed = sizes_.find(number);
  return listed != sizes_.end() ? listed->second : 0;
}

long long CurlPop3Connection::BytesAhead() const {
  long long bytes = 0;
  for (const int number : ahead_) bytes += ListedSize(number);
  return bytes;
}

bool CurlPop3Connection::DropAhead() {
  while (!ahead_.empty()) {
    const int number = ahead_.front();
    ahead_.pop_front();
    // A refused or empty message does not matter here; a broken line does.
    if (!ReadMessage(number) && broken_) return false;
  }
  return true;
}

base::Result<std::string> CurlPop3Connection::Retrieve(int number) {
  if (!Usable()) return LastFailure();
  std::string commands;
  if (!ahead_.empty() && ahead_.front() == number) {
    ahead_.pop_front();
  } else {
    // Not the retrieval asked for ahead: those answers are of no use, and
    // the plan holds only while the retrievals follow it.
    if (!DropAhead()) return LastFailure();
    if (!planned_.empty() && planned_.front() == number) {
      planned_.pop_front();
    } else {
      planned_.clear();
    }
    commands = RetrieveCommand(number);
  }
  // Topped up once few are left, so that several commands share one write
  // and the server one wake-up.
  if (ahead_.size() < kMostAhead / 2) {
    long long bytesAhead = BytesAhead();
    while (!planned_.empty() && ahead_.size() < kMostAhead &&
           bytesAhead + ListedSize(planned_.front()) <= kMostBytesAhead) {
      bytesAhead += ListedSize(planned_.front());
      commands += RetrieveCommand(planned_.front());
      ahead_.push_back(planned_.front());
      planned_.pop_front();
    }
  }
  // The commands go out together before the answer is awaited.
  if (!commands.empty() && !SendBytes(commands)) return LastFailure();
  return ReadMessage(number);
}

base::Result<std::string> CurlPop3Connection::ReadMessage(int number) {
  if (!ReadReply("RETR")) return LastFailure();
  std::string message;
  // Room for the size the listing gave, within reason: the server may lie.
  if (const auto listed = sizes_.find(number); listed != sizes_.end()) {
    message.reserve(static_cast<size_t>(std::min<long long>(listed->second, kLargestReserve)));
  }
  for (;;) {
    // A view into the bytes received, taken before the next line is read.
    auto line = NextLine();
    if (!line) return LastFailure();
    if (*line == ".") break;
    // A leading dot was doubled by the server.
    if (!line->empty() && line->front() == '.') line->remove_prefix(1);
    message += *line;
    message += "\r\n";
    if (message.size() > kLargestMessage) {
      Break("Message " + std::to_string(number) + " is too large to be received.");
      return LastFailure();
    }
  }
  if (message.empty()) return base::Failure{"Message " + std::to_string(number) + " is empty."};
  return message;
}

base::Result<> CurlPop3Connection::Delete(int number) {
  if (!Command("DELE " + std::to_string(number))) return LastFailure();
  sizes_.erase(number);
  ids_.erase(number);
  return {};
}

base::Result<> CurlPop3Connection::Disconnect() {
  if (!Usable()) {
    base::Failure failure = LastFailure();
    CloseSession();
    return failure;
  }
  const bool accepted = Command("QUIT").has_value();
  base::Failure failure = LastFailure();
  CloseSession();
  if (!accepted) return failure;
  return {};
}

void CurlPop3Connection::CloseSession() {
  if (!session_) return;
  // libcurl would send a QUIT of its own when the handle goes. After a broken
  // session that QUIT could still reach the server and remove messages behind
  // the program's back, so the line is cut first.
  curl_socket_t socket = CURL_SOCKET_BAD;
  if (curl_easy_getinfo(session_->Handle(), CURLINFO_ACTIVESOCKET, &socket) == CURLE_OK &&
      socket != CURL_SOCKET_BAD) {
    shutdown(socket, SHUT_RDWR);
  }
  session_.reset();
  received_.clear();
  readPosition_ = 0;
  broken_ = false;
  listed_ = false;
  pipelining_ = false;
  planned_.clear();
  ahead_.clear();
  sizes_.clear();
  ids_.clear();
}

}  // namespace ostrel::transport
