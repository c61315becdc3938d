#include "results/core/code_page.h"

#include <optional>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include "results/core/cp932_table.h"
#else
#include <iconv.h>
#endif

namespace tavri {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
// ASCII and the half-width katakana; the other single bytes (80, A0, FD-FF)
// are characters on one platform and not on another, so neither reads them.
bool IsSingleByteCharacter(unsigned char b) { return b < 0x80 || (b >= 0xA1 && b <= 0xDF); }
// What is written is read back: Windows writes U+0080 and U+F8F0 to U+F8F3
// as the single bytes 80, A0 and FD to FF, which would come back as U+FFFD,
// and which glibc does not write at all.
bool IsReadable(std::string_view bytes) {
  const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() == 1) return IsSingleByteCharacter(byte(0));
  return bytes.size() == 2 && IsLeadByte(byte(0)) && IsTrailByte(byte(1));
}

// Each system's own conversion of one character (its bytes, or nothing when
// the code page cannot hold it) and of one unit (a single byte or a lead
// and a trail byte).
#if defined(_WIN32)

constexpr UINT kCodePage = 932;

std::wstring Utf16(char32_t c) {
  if (c < 0x10000) return std::wstring(1, static_cast<wchar_t>(c));
  c -= 0x10000;
  return {static_cast<wchar_t>(0xD800 + (c >> 10)), static_cast<wchar_t>(0xDC00 + (c & 0x3FF))};
}

std::optional<std::string> EncodeOne(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  std::wstring wide = Utf16(c);
  char out[8];
  BOOL usedDefault = FALSE;
  // No best fit: a character the code page lacks must not turn silently into
  // a look-alike; it becomes "?" like everything else that cannot be stored.
  int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                              static_cast<int>(wide.size()), out, sizeof out, nullptr,
                              &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  return std::string(out, static_cast<std::size_t>(n));
}

std::optional<char32_t> DecodeOne(std::string_view unit) {
  wchar_t out[4];
  int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, unit.data(),
                              static_cast<int>(unit.size()), out, 4);
  if (n != 1) return std::nullopt;
  return static_cast<char32_t>(out[0]);
}

#elif defined(__EMSCRIPTEN__)

// The browser build's C library has no code page 932 (its "SHIFT_JIS" turns
// "～" and "－" into "*"): tables made from glibc's at build time.
std::optional<std::string> EncodeOne(char32_t c) { return cp932_table::Encode(c); }
std::optional<char32_t> DecodeOne(std::string_view unit) { return cp932_table::Decode(unit); }

#else

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts the whole input or nothing.
  std::optional<std::string> Convert(std::string_view in) {
    if (!ok()) return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string source(in);
    char* inPtr = source.data();
    std::size_t inLeft = source.size();
    char out[16];
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0)
      return std::nullopt;
    return std::string(out, static_cast<std::size_t>(outPtr - out));
  }

 private:
  iconv_t cd_;
};

// Opening a conversion costs far more than converting a name, and a save
// converts 75 of them character by character: each thread keeps one of each
// (Convert resets its state before every use).
Iconv& Encoder() {
  thread_local Iconv encoder("CP932", "UTF-32LE");
  return encoder;
}
Iconv& Decoder() {
  thread_local Iconv decoder("UTF-32LE", "CP932");
  return decoder;
}

std::string Utf32Le(char32_t c) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((c >> (8 * i)) & 0xFF);
  return bytes;
}

std::optional<std::string> EncodeOne(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  std::optional<std::string> bytes = Encoder().Convert(Utf32Le(c));
  // glibc maps some characters the code page lacks to look-alikes (the
  // cent sign to the full-width cent sign, the minus sign U+2212 to the
  // full-width hyphen-minus). Windows, told not to best-fit, writes "?";
  // so does this side: only bytes that read back as the same character.
  if (bytes && Decoder().Convert(*bytes) != Utf32Le(c)) return std::nullopt;
  return bytes;
}

std::optional<char32_t> DecodeOne(std::string_view unit) {
  std::optional<std::string> wide = Decoder().Convert(unit);
  if (!wide || wide->size() != 4) return std::nullopt;
  char32_t c = 0;
  for (int i = 3; i >= 0; --i) c = (c << 8) | static_cast<unsigned char>((*wide)[i]);
  return c;
}

#endif

}  // namespace

std::string ToCp932(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char32_t c : text) {
    std::optional<std::string> bytes = EncodeOne(c);
    if (bytes && IsReadable(*bytes))
      out += *bytes;
    else
      out += '?';
  }
  return out;
}

std::u32string FromCp932(std::string_view bytes) {
  std::u32string out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    unsigned char lead = static_cast<unsigned char>(bytes[pos]);
    std::size_t length = 1;
    if (IsLeadByte(lead)) {
      // A lead byte without a trail byte after it stands alone; the byte that
      // follows is read again as the start of the next character.
      if (pos + 1 >= bytes.size() || !IsTrailByte(static_cast<unsigned char>(bytes[pos + 1]))) {
        out += kReplacement;
        ++pos;
        continue;
      }
      length = 2;
    } else if (!IsSingleByteCharacter(lead)) {
      out += kReplacement;
      ++pos;
      continue;
    }
    std::optional<char32_t> c = DecodeOne(bytes.substr(pos, length));
    pos += length;
    out += c ? *c : kReplacement;
  }
  return out;
}

}  // namespace tavri
