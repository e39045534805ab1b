#include "platform/recovery_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/archive_exception.h"

namespace {
constexpr std::string_view kMagic = "Trasso recovery 1\n";
constexpr std::string_view kSuffix = ".tr-recovery";
// Far above any path or title, far below what could exhaust memory.
constexpr std::size_t kMaxText = 1 << 16;
constexpr std::size_t kHeaderReadLimit = 2 * kMaxText + 256;

void AppendLine(std::vector<std::uint8_t>& out, std::string_view key, std::string_view value) {
  out.insert(out.end(), key.begin(), key.end());
  out.push_back(' ');
  out.insert(out.end(), value.begin(), value.end());
  out.push_back('\n');
}

void AppendText(std::vector<std::uint8_t>& out, std::string_view key, std::string_view text) {
  AppendLine(out, key, std::to_string(text.size()));
  out.insert(out.end(), text.begin(), text.end());
  out.push_back('\n');
}

// Reads the header field by field, in its one order.
class HeaderReader {
 public:
  explicit HeaderReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  void Expect(std::string_view text) {
    if (m_bytes.size() - m_at < text.size() ||
        std::memcmp(m_bytes.data() + m_at, text.data(), text.size()) != 0) {
      Fail("expected \"" + std::string(Printable(text)) + "\"");
    }
    m_at += text.size();
  }
  template <class Number>
  Number NumberField(std::string_view key) {
    Expect(key);
    Expect(" ");
    Number value{};
    const char* begin = reinterpret_cast<const char*>(m_bytes.data()) + m_at;
    const char* end = reinterpret_cast<const char*>(m_bytes.data()) + m_bytes.size();
    const auto [next, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || next == begin)
      Fail("a number was expected after " + std::string(key));
    m_at += static_cast<std::size_t>(next - begin);
    Expect("\n");
    return value;
  }
  std::string TextField(std::string_view key) {
    const auto size = NumberField<std::size_t>(key);
    if (size > kMaxText || m_bytes.size() - m_at < size)
      Fail("the " + std::string(key) + " is cut short");
    std::string text(reinterpret_cast<const char*>(m_bytes.data()) + m_at, size);
    m_at += size;
    Expect("\n");
    return text;
  }
  std::size_t Offset() const { return m_at; }

 private:
  static std::string_view Printable(std::string_view text) {
    return text.back() == '\n' ? text.substr(0, text.size() - 1) : text;
  }
  [[noreturn]] void Fail(const std::string& what) const {
    throw CArchiveException("Not a sound recovery file: " + what, m_at);
  }

  std::span<const std::uint8_t> m_bytes;
  std::size_t m_at = 0;
};

RecoveryHeader ReadHeader(HeaderReader& reader) {
  RecoveryHeader header;
  reader.Expect(kMagic);
  header.owner.pid = reader.NumberField<long>("pid");
  header.owner.startTicks = reader.NumberField<unsigned long long>("start");
  header.savedAt = reader.NumberField<std::int64_t>("saved");
  header.path = reader.TextField("path");
  header.title = reader.TextField("title");
  reader.Expect("\n");
  return header;
}
}  // namespace

std::vector<std::uint8_t> EncodeRecoveryHeader(const RecoveryHeader& header) {
  std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
  AppendLine(out, "pid", std::to_string(header.owner.pid));
  AppendLine(out, "start", std::to_string(header.owner.startTicks));
  AppendLine(out, "saved", std::to_string(header.savedAt));
  AppendText(out, "path", header.path);
  AppendText(out, "title", header.title);
  out.push_back('\n');
  return out;
}

RecoveryContents ParseRecoveryFile(std::span<const std::uint8_t> bytes) {
  HeaderReader reader(bytes);
  RecoveryContents contents;
  contents.header = ReadHeader(reader);
  contents.document = bytes.subspan(reader.Offset());
  return contents;
}

RecoveryHeader ReadRecoveryHeader(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw CArchiveException("Cannot open " + path + ": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes(kHeaderReadLimit);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  close(fd);
  bytes.resize(done);
  HeaderReader reader(bytes);
  return ReadHeader(reader);
}

std::string RecoveryFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string base;
  if (state && state[0] == '/') {
    base = state;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : "/tmp") + "/.local/state";
  }
  return base + "/trasso/recovery";
}

bool MakePrivateFolder(const std::string& folder, std::string& error) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    const std::string parent = folder.substr(0, slash);
    if (mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) {
      error = "cannot create " + parent + ": " + std::strerror(errno);
      return false;
    }
  }
  if ((mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) || chmod(folder.c_str(), 0700) != 0) {
    error = "cannot create " + folder + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

std::string RecoveryFileName(long pid, unsigned serial) {
  return std::to_string(pid) + "-" + std::to_string(serial) + std::string(kSuffix);
}

long RecoveryFileOwner(const std::string& name) {
  if (name.size() <= kSuffix.size() || !name.ends_with(kSuffix)) return 0;
  long pid = 0;
  unsigned serial = 0;
  const char* end = name.data() + name.size() - kSuffix.size();
  const auto [dash, error] = std::from_chars(name.data(), end, pid);
  if (error != std::errc() || dash == end || *dash != '-' || pid <= 0) return 0;
  const auto [last, error2] = std::from_chars(dash + 1, end, serial);
  return error2 == std::errc() && last == end ? pid : 0;
}
